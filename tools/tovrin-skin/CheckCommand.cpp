// check SOURCE [--json]: every problem the engine meets in a skin, worst first, each with its
// file, section, key and line and what the engine does instead. The skin is read by the loader
// the program uses, told to go on past what would make the program refuse it, and the model it
// made is looked over by the checker's rules. Exit status 0 for a skin without errors, 1 with.
#include "tools/tovrin-skin/Commands.h"

#include "framework/base/Cp1251.h"
#include "skin/data/sSkinCheck.h"
#include "tools/tovrin-skin/JsonWriter.h"

#include <algorithm>
#include <cstdio>

namespace tools {
namespace {

constexpr int kUsageStatus = 2;
constexpr int kErrorsStatus = 1;

const char* SeverityName(skin::TsSeverity severity) {
    return severity == skin::TsSeverity::Error ? "error" : "warning";
}

void WriteJson(const std::vector<skin::TsSkinDiagnostic>& diagnostics) {
    JsonWriter json;
    json.BeginArray();
    for (const skin::TsSkinDiagnostic& d : diagnostics) {
        json.BeginObject();
        json.Key("severity").String(SeverityName(d.Severity));
        json.Key("rule").String(d.Rule);
        json.Key("file").String(d.File);
        json.Key("line");
        if (d.Line > 0)
            json.Integer(d.Line);
        else
            json.Null();
        json.Key("section").String(d.Section);
        json.Key("key").String(d.Key);
        json.Key("problem").String(d.Problem);
        json.Key("fallback").String(d.Fallback);
        json.EndObject();
    }
    json.EndArray();
    std::printf("%s\n", json.Text().c_str());
}

// "Options.dat:12: error: [EDIT] GLOW0: problem (engine: fallback) [rule]"
void WriteText(const std::string& source, const std::vector<skin::TsSkinDiagnostic>& diagnostics) {
    int errors = 0;
    for (const skin::TsSkinDiagnostic& d : diagnostics) {
        errors += d.Severity == skin::TsSeverity::Error;
        std::printf("%s\n", framework::Cp1251ToUtf8(skin::DiagnosticLine(d)).c_str());
    }
    const int warnings = int(diagnostics.size()) - errors;
    if (diagnostics.empty())
        std::printf("%s: clean\n", source.c_str());
    else
        std::printf("%s: %d error%s, %d warning%s\n", source.c_str(), errors, errors == 1 ? "" : "s", warnings,
                    warnings == 1 ? "" : "s");
}

} // namespace

int CheckCommand(const Arguments& arguments) {
    std::vector<std::string> positional;
    bool json = false;
    for (const std::string& argument : arguments) {
        if (argument == "--json")
            json = true;
        else if (argument.rfind("--", 0) == 0)
            return std::fprintf(stderr, "check: unknown option %s\n", argument.c_str()), kUsageStatus;
        else
            positional.push_back(argument);
    }
    if (positional.size() != 1)
        return std::fprintf(stderr, "usage: tovrin-skin check SOURCE [--json]\n"), kUsageStatus;
    const std::string& source = positional[0];

    skin::TsDiagnosticList found(true);
    SkinSourceOptions options;
    options.Diagnostics = &found;
    std::unique_ptr<skin::TsSkinManager> manager;
    std::string failure;
    try {
        manager = LoadSkinSource(source, options);
    } catch (const std::exception& error) {
        failure = error.what();
    }
    std::vector<skin::TsSkinDiagnostic> diagnostics = found.Items;
    if (!failure.empty())
        diagnostics.push_back(skin::TsSkinDiagnostic{skin::TsSeverity::Error, "skin-refused", source, 0, {}, {},
                                                     failure, skin::kRefusedFallback});
    if (found.Options) {
        skin::TsDiagnosticList rules;
        skin::CheckSkin(*found.Options, manager ? &manager->Model() : nullptr, rules);
        diagnostics.insert(diagnostics.end(), rules.Items.begin(), rules.Items.end());
    }
    skin::SortWorstFirst(diagnostics);
    if (json)
        WriteJson(diagnostics);
    else
        WriteText(source, diagnostics);
    const bool errors = std::any_of(diagnostics.begin(), diagnostics.end(), [](const skin::TsSkinDiagnostic& d) {
        return d.Severity == skin::TsSeverity::Error;
    });
    return errors ? kErrorsStatus : 0;
}

} // namespace tools
