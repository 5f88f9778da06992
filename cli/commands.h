// The subcommands of stria93. Each takes the arguments after its name and returns the exit code:
// 0 success, 1 some data refused or a file not written, 2 a usage error.
#pragma once

#include <string>
#include <vector>

namespace cli {

using Args = std::vector<std::string>;

inline constexpr int ExitOk = 0;
inline constexpr int ExitRefused = 1;
inline constexpr int ExitUsage = 2;

struct Command;

// Each command's options and help (command_line.h).
const Command& EncodeCommand();
const Command& ExportCommand();
const Command& SheetCommand();
const Command& SetupFontsCommand();
const Command& SetupCommand();
const Command& VerifyCommand();

int RunEncode(const Args& args);
int RunExport(const Args& args);
int RunSheet(const Args& args);
int RunSetupFonts(const Args& args);
int RunVerify(const Args& args);

// Copies the barcode typefaces into the user's font folder and refreshes fontconfig's cache;
// quiet leaves out the lines that say what was copied. Returns ExitOk or ExitRefused.
int SetupFonts(bool quiet);

// Copies what the user's data folder <Documents>/Stria/ lacks from the installed data folder;
// never overwrites a file; then installs the typefaces (SetupFonts). --quiet: say nothing
// unless something fails.
int RunSetup(const Args& args);

// Prints "stria93: <message>" and the help hint on standard error; returns ExitUsage.
int UsageError(const std::string& message);

} // namespace cli
