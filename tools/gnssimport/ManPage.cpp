#include "ManPage.h"

#include <CLI/CLI.hpp>

#include <algorithm>

namespace cli {

namespace {

// Roff text: backslashes written as \e, a leading dot or quote made inert.
std::string prose(const std::string& text)
{
    std::string out = text.empty() || (text[0] != '.' && text[0] != '\'') ? "" : "\\&";
    for (char c : text)
        out += c == '\\' ? std::string("\\e") : std::string(1, c);
    return out;
}

// Option names and commands: their hyphens are minus signs.
std::string literal(const std::string& text)
{
    std::string out;
    for (char c : prose(text))
        out += c == '-' ? std::string("\\-") : std::string(1, c);
    return out;
}

void writeOption(std::ostream& out, const CLI::Option& option)
{
    out << ".TP\n";
    const std::string names = option.get_name(false, true);
    std::size_t start = 0;
    while (start <= names.size()) {
        const auto comma = std::min(names.find(',', start), names.size());
        out << (start ? ", " : "") << "\\fB" << literal(names.substr(start, comma - start)) << "\\fR";
        start = comma + 1;
    }
    if (option.get_expected_max() > 0 && !option.get_type_name().empty())
        out << " \\fI" << prose(option.get_type_name()) << "\\fR";
    out << '\n' << prose(option.get_description());
    if (!option.get_default_str().empty())
        out << " (default: " << literal(option.get_default_str()) << ")";
    out << '\n';
}

const char* const s_body = R"roff(.SH OUTPUT FORMATS
.TP
.B text
Per file the plug-in used and the counts, a table of points (latitude and
longitude in degrees, minutes and seconds, heights) and one of vectors
(from, to, dX, dY, dZ, sigmas, RMS, factor, length, line), rounded for reading.
.TP
.B json
One document with every file's points, vectors and messages, and a summary.
Angles in decimal degrees, lengths in metres, every number with the shortest
digits that read back to the same value. Each message has its
\fBseverity\fR, \fBline\fR, the \fBtext\fR as the plug-in sent it, a stable
\fBcode\fR (null for a text outside the catalogue) and \fBtextEn\fR, its
English wording.
.TP
.B geojson
An RFC 7946 FeatureCollection: a Point feature per point, a LineString per
vector from base to rover where both ends can be placed.
.TP
.B csv
Two RFC 4180 tables, \fIBASE\fB\-points.csv\fR and \fIBASE\fB\-vectors.csv\fR,
named by \fB\-o\fR \fIBASE\fR.
.TP
.B events
The raw calls of the plug-ins on the import target, one per line.
.SH MESSAGES
Errors and warnings go to standard error as
\fIpath\fB:\fIline\fB: error: \fItext\fR, followed by one summary line.
The plug-ins send their texts in Russian. Unless the messages locale is
Russian or \fB\-\-lang ru\fR is given, each is shown in English followed by
the original in parentheses; a text the tool does not know is shown as sent.
.SH EXIT STATUS
.TP
.B 0
Every file imported without errors.
.TP
.B 1
A file reported an error.
.TP
.B 2
A usage error, an output or settings file that cannot be written, or a
plug-in that cannot be loaded.
.SH ENVIRONMENT
.TP
.BR LC_ALL ", " LC_MESSAGES ", " LANG
The first one set and not empty chooses the language of the messages
(Russian when it names \fBru\fR, English otherwise; \fB\-\-lang\fR overrides).
The plug-ins also read numbers and decode text by the locale; the numbers the
tool writes do not depend on it.
.SH FILES
.TP
.I /usr/lib/*/gnssimport/gnssimport\-*.so
The plug-ins, looked up after each \fB\-\-plugin\-dir\fR, in
\fI../lib/gnssimport\fR and \fI../plugins\fR beside the executable.
.TP
.I ~/.config/gnssimport.conf
A common place for the \fB\-\-settings\fR file: \fIkey\fB=\fIvalue\fR lines.
.SH EXAMPLES
.nf
gnssimport examples/topcon/berezovka\-cp1251.txt
gnssimport \-f json \-o survey.json examples/*/*.txt
gnssimport \-f geojson examples/pinnacle/*.dat > survey.geojson
gnssimport \-f csv \-o survey examples/tgotbc/*.asc
gnssimport \-\-charset CP866 \-\-check export.asc
gnssimport \-\-set point_id=Name \-\-set ellip_Hgt=H points.txt
gnssimport configure lgo \-\-settings ~/.config/gnssimport.conf
gnssimport \-\-lang ru export.asc
.fi
.SH SEE ALSO
.I /usr/share/doc/gnssimport/README.md
)roff";

} // namespace

void writeManPage(std::ostream& out, const CLI::App& app, const std::string& version)
{
    out << ".TH GNSSIMPORT 1 \"\" \"gnssimport " << version << "\" \"User Commands\"\n"
        << ".SH NAME\ngnssimport \\- import GNSS survey exports through the gnssimport plug-ins\n"
        << ".SH SYNOPSIS\n.B gnssimport\n[\\fIOPTIONS\\fR] \\fIFILE\\fR...\n.br\n"
        << ".B gnssimport plugins\n[\\fB\\-\\-plugin\\-dir\\fR \\fIDIR\\fR]\n.br\n"
        << ".B gnssimport configure\n\\fIPLUGIN\\fR \\fB\\-\\-settings\\fR \\fIFILE\\fR\n"
        << ".SH DESCRIPTION\n" << prose(app.get_description()) << '\n'
        << ".PP\nEach file goes to the plug-in whose file filter matches its name; where several claim it, "
           "each is tried in turn and the first that finds points or vectors without rejecting the file "
           "wins. \\fB\\-p\\fR forces one plug-in.\n"
        << ".SH OPTIONS\n";
    const auto visible = [](const CLI::Option* o) { return o->nonpositional() && !o->get_group().empty(); };
    for (const CLI::Option* option : app.get_options(visible))
        writeOption(out, *option);
    out << ".SH COMMANDS\n";
    for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
        out << ".TP\n\\fB" << literal(command->get_name()) << "\\fR";
        for (const CLI::Option* positional : command->get_options([](const CLI::Option* o) { return !o->nonpositional(); }))
            out << " \\fI" << prose(positional->get_name()) << "\\fR";
        out << '\n' << prose(command->get_description()) << '\n';
    }
    out << ".PP\n\\fBconfigure lgo\\fR shows the twelve LGO column identifiers with their labels; type a "
           "field number and then the new value (empty for the default), \\fBok\\fR to save them or "
           "\\fBcancel\\fR to leave the file as it was.\n"
        << s_body;
}

} // namespace cli
