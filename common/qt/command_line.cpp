#include "command_line.h"

#include <QCommandLineParser>

#include <algorithm>
#include <map>

namespace common {
namespace {

const QStringList HelpNames{"h", "help"};
const QString VersionName = "version";

QString bare(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))
        .remove(0, name.starts_with("--") ? 2 : 1);
}

bool isHelpOrVersion(const QString& name) {
    return HelpNames.contains(name) || name == VersionName;
}

struct Parsed {
    std::optional<CliOptions> options;
    bool help = false, version = false;
    std::string why;
};

Parsed parse(const std::vector<std::string>& args, std::span<const CliOption> known) {
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    std::map<QString, std::string> names; // the parser's name, the table's
    for (const CliOption& o : known) {
        const QString name = bare(o.name);
        if (isHelpOrVersion(name) || names.count(name)) continue;
        names[name] = std::string(o.name);
        parser.addOption(QCommandLineOption(name, {}, o.takesValue ? "value" : QString()));
    }
    parser.addOption(QCommandLineOption(HelpNames));
    parser.addOption(QCommandLineOption(VersionName));
    QStringList line{"companion"};
    for (const std::string& a : args) line << QString::fromStdString(a);
    Parsed p;
    if (!parser.parse(line)) {
        p.why = parser.errorText().toStdString();
        return p;
    }
    p.help = parser.isSet(HelpNames[0]);
    p.version = parser.isSet(VersionName);
    CliOptions options;
    // In the order given; each occurrence takes its option's next value.
    std::map<QString, qsizetype> taken;
    for (const QString& given : parser.optionNames()) {
        auto known = names.find(given);
        if (known == names.end()) continue; // help or version
        const QStringList values = parser.values(given);
        const qsizetype n = taken[given]++;
        options.give(known->second, n < values.size() ? values[n].toStdString() : std::string());
    }
    for (const QString& positional : parser.positionalArguments())
        options.givePositional(positional.toStdString());
    p.options = std::move(options);
    return p;
}

} // namespace

std::optional<CliOptions> ParseCliOptions(const std::vector<std::string>& args,
                                          std::span<const CliOption> known, std::string* why) {
    Parsed p = parse(args, known);
    if (why) *why = p.why;
    return p.options;
}

std::string HelpText(std::span<const CliOption> known, std::string_view usage) {
    std::vector<std::pair<std::string, std::string>> rows;
    for (const CliOption& o : known) {
        if (isHelpOrVersion(bare(o.name))) continue;
        std::string left(o.name);
        if (o.takesValue) {
            left += ' ';
            left += o.valueName.empty() ? std::string_view("VALUE") : o.valueName;
        }
        rows.emplace_back(left, std::string(o.description));
    }
    rows.emplace_back("-h, --help", "print this help and end");
    rows.emplace_back("--version", "print the suite's version and end");
    std::size_t width = 0;
    for (const auto& row : rows) width = std::max(width, row.first.size());
    std::string text(usage);
    text += "\noptions (a value also as --name=value):\n";
    for (const auto& [left, description] : rows) {
        text.append(2, ' ').append(left);
        if (!description.empty()) text.append(width - left.size() + 2, ' ').append(description);
        text += '\n';
    }
    return text;
}

std::variant<CliOptions, int> ReadCommandLine(const std::vector<std::string>& args,
                                              std::span<const CliOption> known,
                                              std::string_view usage, std::ostream& out,
                                              std::ostream& err) {
    Parsed p = parse(args, known);
    if (!p.options) {
        err << usage; // as every other refusal of the companions' arguments

        return 2;
    }
    if (p.help) {
        out << HelpText(known, usage);
        return 0;
    }
    if (p.version) {
        out << "hf-antenna-suite " SUITE_VERSION "\n";
        return 0;
    }
    return std::move(*p.options);
}

} // namespace common
