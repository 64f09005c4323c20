#include "Commands.h"

#include "ArgumentPath.h"
#include "Diagnostics.h"
#include "Output.h"
#include "PluginCatalog.h"
#include "Router.h"
#include "SettingsFile.h"
#include "Text.h"

#include <gnssimport/host/CharsetConversion.h>

#include <algorithm>
#include <stdexcept>

namespace cli {

namespace {

// The host's notes on how the file's text was decoded, as warnings.
void warnAboutText(FileResult& result)
{
    const host::TextDecoding& text = result.data.text;
    if (!text.singleByteCharset.empty())
        result.data.messages.push_back(
            {host::ImportMessage::Warning,
             L"the file is UTF-8 but was read as " + fromUtf8(text.singleByteCharset) +
                 L"; its names may be garbled (try --charset UTF-8)",
             -1});
    if (text.failedLines > 0)
        result.data.messages.push_back({host::ImportMessage::Warning,
                                        std::to_wstring(text.failedLines) + L" line" +
                                            (text.failedLines == 1 ? L"" : L"s") + L" could not be decoded as " +
                                            fromUtf8(text.failedCharset) +
                                            L" and came out empty; check --charset",
                                        -1});
}

void requireKnownCharset(const std::string& name, const char* option)
{
    host::CharsetConverter converter;
    std::wstring text;
    if (!name.empty() && !converter.convert(name, "a", 1, text))
        throw std::invalid_argument(std::string(option) + ": unknown charset " + name);
}

// The plug-in forced with -p, or null after loading all for routing; a
// plug-in that does not load is skipped with a warning.
PluginEntry* preparePlugins(const Options& options, PluginCatalog& catalog, std::ostream& err)
{
    if (!options.plugin.empty()) {
        PluginEntry& entry = catalog.resolve(options.plugin);
        catalog.load(entry);
        return &entry;
    }
    if (catalog.entries().empty())
        throw host::LoadError("no plug-ins found; give their folder with --plugin-dir");
    for (const auto& skipped : catalog.loadAll())
        err << "gnssimport: warning: skipped " << skipped << '\n';
    const auto& entries = catalog.entries();
    if (std::none_of(entries.begin(), entries.end(), [](const PluginEntry& e) { return e.loaded != nullptr; }))
        throw host::LoadError("no plug-in could be loaded");
    return nullptr;
}

int importAll(const Options& options, SettingsFile& settings, std::ostream& out, std::ostream& err)
{
    Outputs outputs(options, out);
    PluginCatalog catalog(PluginCatalog::searchPath(options.pluginDirs), settings.effective());
    PluginEntry* forced = preparePlugins(options, catalog, err);

    ProgressBar progress(err, options.progress && ProgressBar::stderrIsTerminal());
    // Records wait in a temporary file for the writers, unless the network
    // check needs them all at hand.
    Importer importer({options.defaultCharset, options.format == "events", !options.check}, progress);
    Router router(catalog, importer);
    const Language language = languageFromName(options.language).value_or(languageFromEnvironment());
    ImportResults results;
    for (const auto& file : options.files) {
        const ArgumentPath path(file);
        FileResult result =
            forced ? importer.run(*forced->loaded, path.importPath()) : router.route(path.importPath());
        result.path = result.data.path = path.displayPath();
        warnAboutText(result);
        if (result.records() == 0 && !result.data.hasErrors())
            result.data.messages.push_back({host::ImportMessage::Warning, L"no points or vectors found", -1});
        reportMessages(err, result, options.verbose, language);
        err.flush();
        results.push_back(std::move(result));
    }

    try {
        outputs.write(results, err);
    } catch (const ExportError& e) {
        err << "gnssimport: " << e.what() << '\n';
        settings.saveBack(catalog);
        writeSummary(err, results);
        return 1;
    }
    if (options.check) {
        // Keep machine-readable output on stdout clean.
        const bool stdoutTaken = options.format != "text" && (options.output.empty() || options.output == "-");
        writeCheckReport(stdoutTaken ? err : out, checkNetwork(results, options.checkOptions), options.checkOptions);
    }
    outputs.commit();
    settings.saveBack(catalog);
    writeSummary(err, results);
    return anyErrors(results) ? 1 : 0;
}

} // namespace

int runImport(const Options& options, std::ostream& out, std::ostream& err)
{
    try {
        if (options.charset)
            requireKnownCharset(*options.charset, "--charset");
        requireKnownCharset(options.defaultCharset, "--default-charset");
        SettingsFile settings(options);
        return importAll(options, settings, out, err);
    } catch (const std::exception& e) {
        err << "gnssimport: " << e.what() << '\n';
        return 2;
    }
}

} // namespace cli
