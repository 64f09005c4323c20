#include "Options.h"

#include "ManPage.h"

#include <CLI/CLI.hpp>

namespace cli {

namespace {

const char* const kDescription =
    "Imports GNSS survey exports (Spectrum Survey, TGO/TBC, LGO, Pinnacle, Topcon) through the gnssimport "
    "plug-ins and writes their points and vectors as text, JSON, GeoJSON, CSV or the raw event stream, or as the "
    "input of the adjustment engines DynAdjust (DynaML) and GNU Gama (gama-local).";

// DynAdjust reads epochs as dd.mm.yyyy.
std::string checkEpoch(const std::string& text)
{
    const bool shape = text.size() == 10 && text[2] == '.' && text[5] == '.';
    for (std::size_t i = 0; shape && i < text.size(); ++i)
        if (i != 2 && i != 5 && (text[i] < '0' || text[i] > '9'))
            return "expected dd.mm.yyyy, got '" + text + "'";
    return shape ? std::string() : "expected dd.mm.yyyy, got '" + text + "'";
}

void addExportOptions(CLI::App& app, ExportOptions& e)
{
    app.add_option("--fix", e.fix, "dynaml, gama: constrain this station (repeatable); default: the first station "
                                   "with coordinates in the files")
        ->allow_extra_args(false);
    app.add_option("--frame", e.frame, "dynaml: reference frame of the coordinates and baselines")
        ->capture_default_str();
    app.add_option("--epoch", e.epoch, "dynaml: epoch of the coordinates and baselines, dd.mm.yyyy")
        ->check(checkEpoch)
        ->capture_default_str();
    app.add_flag("--scale-by-factor", e.scaleByFactor,
                 "dynaml, gama: scale each vector's covariance by the square of its Factor");
}

std::string splitSetting(const std::string& text, std::pair<std::string, std::string>* into)
{
    const auto equals = text.find('=');
    if (equals == std::string::npos || equals == 0)
        return "expected KEY=VALUE, got '" + text + "'";
    if (into)
        *into = {text.substr(0, equals), text.substr(equals + 1)};
    return std::string();
}

void addImportOptions(CLI::App& app, Options& o, std::vector<std::string>& sets, bool& noProgress)
{
    app.add_option("files", o.files, "Files to import; each goes to the plug-in whose file filter and content fit");
    app.add_option("-p,--plugin", o.plugin, "Use this plug-in for every file: a short name (topcon), a descriptor "
                                            "name (\"Spectrum Survey\") or the path of a .so");
    app.add_option("-f,--format", o.format, "Output format")
        ->check(CLI::IsMember({"text", "json", "geojson", "csv", "events", "dynaml", "gama"}))
        ->capture_default_str();
    app.add_option("-o,--output", o.output,
                   "Write the output to FILE instead of stdout; for csv the base name of BASE-points.csv and "
                   "BASE-vectors.csv, for dynaml of BASE.stn.xml and BASE.msr.xml");
    app.add_option("--charset", o.charset, "The plug-ins' \"charset\" setting: the code page of the files "
                                           "(CP1251, CP866, KOI8-R, UTF-8, ...); empty lets TGO/TBC and Topcon "
                                           "detect it");
    app.add_option("--default-charset", o.defaultCharset,
                   "How the host decodes text when the charset setting is empty and the text is not UTF-8 "
                   "(default CP1251)");
    app.add_option("--set", sets, "Any plug-in setting, e.g. --set point_id=Name (repeatable)")
        ->allow_extra_args(false)
        ->check([](const std::string& text) { return splitSetting(text, nullptr); });
    app.add_option("--settings", o.settingsFile,
                   "Persistent settings file (key=value lines): read before the import, written back with what "
                   "the plug-ins save");
    app.add_flag("--check", o.check, "Network check: vectors against point coordinates, repeated vectors");
    app.add_option("--check-tolerance", o.checkOptions.tolerance, "Flag discrepancies longer than this, metres")
        ->check(CLI::PositiveNumber)
        ->capture_default_str();
    app.add_option("--check-sigmas", o.checkOptions.maxSigmas,
                   "Flag discrepancies beyond this many standard deviations (0: off)")
        ->check(CLI::NonNegativeNumber)
        ->capture_default_str();
    app.add_option("--check-alpha", o.checkOptions.alpha,
                   "Level of the chi-squared test (3 degrees of freedom) used instead of --check-sigmas where a "
                   "vector has a full covariance")
        ->check(CLI::Range(1e-12, 0.5))
        ->capture_default_str();
    app.add_flag("--no-progress", noProgress, "Never show the progress bar (it shows only on a terminal anyway)");
    app.add_flag("-v,--verbose", o.verbose, "Also report event-stream breaches the host noticed");
    app.add_option("--lang", o.language,
                   "Language of the plug-ins' messages, ru or en (default: Russian when LC_ALL, LC_MESSAGES or "
                   "LANG names it, else English with the original in parentheses)")
        ->check(CLI::IsMember({"ru", "en"}));
}

} // namespace

std::optional<int> parseOptions(int argc, char** argv, Options& o, std::ostream& out, std::ostream& err)
{
    CLI::App app(kDescription, "gnssimport");
    app.set_version_flag("--version", GNSSIMPORT_VERSION);
    app.fallthrough();
    app.require_subcommand(0, 1);
    std::vector<std::string> sets;
    bool noProgress = false;
    bool manPage = false;
    addImportOptions(app, o, sets, noProgress);
    // Hidden: the build writes the manual page with it.
    app.add_flag("--help-man", manPage, "Write the manual page gnssimport(1) in roff")->group("");
    addExportOptions(app, o.exportOptions);
    app.add_option("--plugin-dir", o.pluginDirs, "Look for gnssimport-*.so here first (repeatable)")
        ->allow_extra_args(false);

    CLI::App* plugins = app.add_subcommand("plugins", "List the plug-ins found and their descriptors");
    CLI::App* configure = app.add_subcommand(
        "configure", "Edit a plug-in's settings (the LGO column identifiers) in the terminal and save them "
                     "to the --settings file");
    configure->add_option("plugin", o.configurePlugin, "Plug-in to configure, e.g. lgo")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e, out, err);
        return status == 0 ? 0 : 2;
    }
    if (manPage) {
        writeManPage(out, app, GNSSIMPORT_VERSION);
        return 0;
    }
    o.progress = !noProgress;
    for (const auto& text : sets) {
        std::pair<std::string, std::string> setting;
        splitSetting(text, &setting);
        o.settings.push_back(setting);
    }
    if (*plugins)
        o.command = Options::Command::Plugins;
    else if (*configure)
        o.command = Options::Command::Configure;

    std::string problem;
    if (o.command == Options::Command::Import && o.files.empty())
        problem = "no files to import";
    else if (o.command == Options::Command::Configure && o.settingsFile.empty())
        problem = "configure needs --settings FILE to save to";
    else if (o.command == Options::Command::Import && o.format == "csv" && o.output.empty())
        problem = "csv output is two files: give their base name with -o BASE";
    else if (o.command == Options::Command::Import && o.format == "dynaml" && (o.output.empty() || o.output == "-"))
        problem = "dynaml output is two files: give their base name with -o BASE";
    if (!problem.empty()) {
        err << "gnssimport: " << problem << "\nRun with --help for more information.\n";
        return 2;
    }
    return std::nullopt;
}

} // namespace cli
