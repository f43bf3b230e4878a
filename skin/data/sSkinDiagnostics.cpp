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
