#include "cli/Subcommands.h"

#include <array>

#include "cli/ConvertCommand.h"
#include "cli/DivideCommand.h"
#include "cli/FilesCommand.h"
#include "cli/MeterCommands.h"
#include "cli/PlotCommand.h"
#include "cli/SettingsCommand.h"

namespace voltaro {

namespace {

// Each tool's command joins this table as the tool itself is built.
constexpr std::array kSubcommands{
    Subcommand{"convert", "[-o DIR] FILE...",
               "convert the meter's .BIN and .WFM data files into CSV files in DIR (default: here)",
               RunConvertCommand},
    Subcommand{"divide", "(--lines N | --columns N) [-o DIR] [--yes] FILE",
               "cut a data CSV file into pieces of N lines or N columns in DIR (default: here); --yes "
               "overwrites existing pieces without asking",
               RunDivideCommand},
    Subcommand{"plot", "FILE.CSV [--columns NAMES] [--record N] -o PLOT.png|PLOT.svg",
               "draw columns of a data CSV file over time (NAMES: their titles, comma-separated; default the "
               "first), or the channels of record N (default 1) of a waveform file over its samples, into a PNG "
               "or SVG picture",
               RunPlotCommand},
    Subcommand{"identify", "[--scan [DEVICE...]] [PORT OPTIONS]",
               "ask the meter for its model and version (\"ZR915 1.05\"); --scan asks every serial port the system "
               "reports and each DEVICE at once and lists the meters that answer (\"/dev/ttyUSB0  ZR915 1.05\")",
               RunIdentifyCommand},
    Subcommand{"setup", "[PORT OPTIONS]", "keep the serial port setup for the window and the commands, and show it",
               RunSetupCommand},
    Subcommand{"files",
               "(list | get) [PORT OPTIONS] [--media card|memory] [-o DIR] [--xlsx BOOK.xlsx] [--yes|--no] [NAME...]",
               "list the files on the meter's PC card or memory, or copy the named ones into DIR (default: here), "
               "text files also into the workbook BOOK.xlsx; --yes or --no answers the question to replace a file",
               RunFilesCommand},
    Subcommand{"settings",
               "receive [PORT OPTIONS] -o FILE.SET | send [PORT OPTIONS] [--pc-time] FILE.SET"
               " | (check | show) FILE.SET | set FILE.SET NAME=VALUE... | defaults -o FILE.SET",
               "receive the meter's setting into a setting file, or send one to the meter (read back, and undone "
               "when the meter does not take it all; --pc-time sets its clock to the PC's); check a setting file, "
               "show its items, change them (NAME is a line's key, VALUE its values as the file spells them, "
               "taken as the settings window takes them), or write the factory setting",
               RunSettingsCommand},
    Subcommand{"reset", "[--yes] [PORT OPTIONS]",
               "reset the meter to its factory setting; --yes answers the question OK",
               RunResetCommand},
};

}  // namespace

std::span<const Subcommand> Subcommands() { return kSubcommands; }

}  // namespace voltaro
