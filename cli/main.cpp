// stria93: the command-line companion of the window, for scripts and batch work.
#include "commands.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* Version = STRIA_VERSION;

constexpr const char* HelpText = R"HELP(Usage: stria93 COMMAND [OPTIONS] [DATA...]

Makes Code 93 barcode strings for the Sample 93 barcode typefaces.

Commands:
  encode [--sums] [DATA...]
      Prints the barcode string of each DATA, one line each: start "(", the data with
      Full ASCII pairs, the check characters C and K, stop ")". Set the string in one of
      the Sample 93 typefaces to draw the symbol. Without DATA, reads standard input,
      one data text per line.
      --sums    follow each string with its sums: CSum, Ksum, CCheck, KCheck

  export [--style standard|hr] [--size a|b|c|d|e|f] [--points N] [--dpi 300|600|900|1200]
         [--format bmp|gif|jpg|png|pdf|svg] [--sums] -o FILE [DATA...]
      Writes the barcode of DATA as a picture, drawn in the Sample 93 typeface of the style
      (default hr, Human Readable) and size letter (default d) at N points (default 24),
      scaled for the nominal resolution (default 600 dpi), black on white. The format comes
      from --format or else from FILE's extension, which is then set to match (label ->
      label.png). With several DATA, or none (standard input, one per line), FILE must
      contain {n}, replaced by 1, 2, ... Prints the name of each file written.
      --sums    draw the sums text after the barcode string, as the window exports it
      PDF and SVG (--format pdf|svg, or FILE.pdf, FILE.svg) hold the barcode at its true
      size: N points, the quiet zones included, no --dpi. SVG draws the glyph outlines as
      paths and needs no font; PDF embeds the typeface.

  sheet --stock NAME [--start N] [--copies K] [--style S] [--size L] [--points N]
        [--offset X,Y] [--scale F] -o FILE.pdf|FILE.rtf [DATA...]
      Fills the labels of a stock sheet, left to right and down, one barcode per DATA
      (or per line of standard input), centred in its label, over as many sheets as needed.
      A barcode too large for the label is refused with the point size that would fit.
      PDF: US Letter or A4 as the stock, the typeface embedded. RTF: the stock's label
      template with every label filled, for a word processor.
      --start N     leave the first N-1 labels of the first sheet empty
      --copies K    each barcode on K labels
      --offset X,Y  shift the PDF page for a printer that prints off place (1.5mm,-0.8mm;
                    mm, in or pt)
      --scale F     scale the PDF page for a printer that prints too large or small
  sheet --list
      Lists the stock sheets: paper, labels, grid, label size, margins, pitch, template.
  sheet --calibrate --stock NAME [--offset X,Y] [--scale F] -o FILE.pdf
      A page of label outlines with a cross at each centre and millimetre rulers at the
      page's edges: print it, hold it against a real sheet and read the offset.

  setup-fonts [--quiet]
      Copies the twelve Sample 93 typefaces and their licence text into your font folder
      ($XDG_DATA_HOME/fonts/stria, normally ~/.local/share/fonts/stria) and refreshes the
      font cache, so that word processors find them. Files already there are kept.
      --quiet   print only errors
  setup [--quiet]
      Puts the data folder <Documents>/Stria/ in place for the window: the settings file
      with the tips and the label templates, and installs the typefaces as setup-fonts
      does; names the manual that Help opens. Files you already have are never replaced.
      --quiet   say nothing unless something fails

Options:
  --help      show this help and exit
  --version   show the version and exit

Data is UTF-8. The characters (C) U+00A9 and (a) U+00AA are the (%) and ($) markers that
carry control characters (for example U+00AA I for a tab); U+00AB and U+00AC are dropped.
Put -- before data that starts with -.

Exit status: 0 when every data text was encoded (or exported), 1 when any was refused or
its picture not written (the reason goes to standard error, prefixed with "line N: " for
standard input), 2 for a usage error.
)HELP";

} // namespace

namespace cli {

int UsageError(const std::string& message) {
    std::fprintf(stderr, "stria93: %s\nTry 'stria93 --help' for more information.\n",
                 message.c_str());
    return ExitUsage;
}

} // namespace cli

int main(int argc, char** argv) {
    const cli::Args all(argv + 1, argv + argc);
    if (all.empty()) {
        return cli::UsageError("missing command");
    }
    const std::string& command = all.front();
    const cli::Args rest(all.begin() + 1, all.end());
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(HelpText, stdout);
        return cli::ExitOk;
    }
    if (command == "--version") {
        std::printf("stria93 %s\n", Version);
        return cli::ExitOk;
    }
    if (command == "encode") {
        return cli::RunEncode(rest);
    }
    if (command == "export") {
        return cli::RunExport(rest);
    }
    if (command == "sheet") {
        return cli::RunSheet(rest);
    }
    if (command == "setup-fonts") {
        return cli::RunSetupFonts(rest);
    }
    if (command == "setup") {
        return cli::RunSetup(rest);
    }
    return cli::UsageError("unknown command '" + command + "'");
}
