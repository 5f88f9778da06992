// stria93: the command-line companion of the window, for scripts and batch work.
#include "commands.h"
#include "message_text.h"
#include "standard_output.h"

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
         [--format bmp|gif|jpg|png|pdf|svg] [--sums] [--exact] [--bar-reduction N] [--quiet]
         -o FILE [DATA...]
      Writes the barcode of DATA as a picture, drawn in the Sample 93 typeface of the style
      (default hr, Human Readable) and size letter (default d) at N points (default 24),
      scaled for the nominal resolution (default 600 dpi), black on white. The format comes
      from --format or else from FILE's extension, which is then set to match (label ->
      label.png). With several DATA, or none (standard input, one per line), FILE must
      contain {n}, replaced by 1, 2, ...; such a batch is drawn on all processor cores.
      Prints the name of each file written, in the order of the data (backslashes and
      control characters in a name escaped as \\, \n, \t, \r or \xHH).
      --sums    draw the sums text after the barcode string, as the window exports it
      --exact   make every module a whole number of pixels: the largest font size at or
                below the chosen one that allows it, drawn without smoothing (pure black
                and white, 1 bit a pixel in PNG and BMP); tells the module width in pixels
                and in mils on standard error
      --bar-reduction N
                draw every bar N pixels narrower about its centre, against ink spread
                (a whole number with --exact); refused if a bar would keep less than 1 pixel
      --quiet   no module width and no progress line (a batch on a terminal shows one)
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
A data text may be up to 1 MiB (1048576 bytes) long. Put -- before data that starts with -.
Messages show control characters as U+0000 to U+001F, U+007F to U+009F.

Exit status: 0 when every data text was encoded (or exported), 1 when any was refused or
its picture not written (the reason goes to standard error, prefixed with "line N: " for
standard input) or standard output could not be written, 2 for a usage error.
)HELP";

} // namespace

namespace cli {

int UsageError(const std::string& message) {
    std::fprintf(stderr, "stria93: %s\nTry 'stria93 --help' for more information.\n",
                 ShowControlCharacters(message).c_str());
    return ExitUsage;
}

} // namespace cli

namespace {

int RunCommand(const cli::Args& all) {
    if (all.empty()) {
        return cli::UsageError("missing command");
    }
    const std::string& command = all.front();
    const cli::Args rest(all.begin() + 1, all.end());
    if (command == "--help" || command == "-h" || command == "help") {
        cli::WriteStandardOutput(HelpText);
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

} // namespace

int main(int argc, char** argv) {
    // Every command's output, the list of written files included, is checked once more here.
    return cli::FinishStandardOutput(RunCommand(cli::Args(argv + 1, argv + argc)));
}
