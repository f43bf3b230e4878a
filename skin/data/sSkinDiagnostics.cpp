// Diagnostics of a load: failures named by their kind and place.
#include "skin/data/sSkinDiagnostics.h"

#include "framework/base/SysUtils.h"
#include "skin/pixels/codecs/SkinPictures.h"

namespace skin {

TsSkinDiagnostic DiagnosticAt(const TsSkinPlace& place, TsSeverity severity, std::string rule, std::string problem,
                              std::string fallback) {
    return TsSkinDiagnostic{severity, std::move(rule), place.File, place.Line, place.Section,
                            place.Key, std::move(problem), std::move(fallback)};
}

namespace {

std::string FileAndLine(const TsSkinDiagnostic& d) {
    return d.Line > 0 ? d.File + ":" + std::to_string(d.Line) : d.File;
}

std::string SectionAndKey(const TsSkinDiagnostic& d) {
    std::string text;
    if (!d.Section.empty())
        text += "[" + d.Section + "]";
    if (!d.Key.empty())
        text += (text.empty() ? "" : " ") + d.Key;
    return text;
}

} // namespace

std::string DiagnosticPlace(const TsSkinDiagnostic& d) {
    const std::string part = SectionAndKey(d);
    return part.empty() ? FileAndLine(d) : FileAndLine(d) + ": " + part;
}

std::string DiagnosticLine(const TsSkinDiagnostic& d) {
    const std::string part = SectionAndKey(d);
    return FileAndLine(d) + (d.Severity == TsSeverity::Error ? ": error: " : ": warning: ") +
           (part.empty() ? "" : part + ": ") + d.Problem + " (engine: " + d.Fallback + ") [" + d.Rule + "]";
}

void ReportLoadFailure(TsSkinDiagnostics* diagnostics, const std::exception& failure, const TsSkinPlace& place) {
    if (diagnostics == nullptr)
        throw;
    const char* rule = dynamic_cast<const framework::EConvertError*>(&failure) ? "value-not-integer"
                       : dynamic_cast<const EPictureError*>(&failure)      ? "picture-unreadable"
                                                                           : "skin-refused";
    diagnostics->Report(DiagnosticAt(place, TsSeverity::Error, rule, failure.what(), kRefusedFallback));
    if (!diagnostics->ContinuePastFailures())
        throw;
}

} // namespace skin
