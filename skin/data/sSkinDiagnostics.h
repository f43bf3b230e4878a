// What a skin load meets and passes over: a line of the options text it skips, a picture it
// cannot find, a value that makes it refuse the skin. A load told of a listener reports each as
// it goes, with where it stands and what the engine does instead; loads without one (the
// program's own) behave exactly the same and report nothing. tovrin-skin check and the window's
// watch mode listen.
#pragma once

#include <exception>
#include <string>

namespace skin {

class TsSkinIni;

enum class TsSeverity {
    Error,   // the skin is refused, or a part of it cannot be painted as written
    Warning, // the engine goes on with something else than the skin says
};

struct TsSkinDiagnostic {
    TsSeverity Severity = TsSeverity::Warning;
    std::string Rule;     // the short name of the check ("options-syntax", "picture-missing" ...)
    std::string File;     // "Options.dat", or the picture the problem lies in
    int Line = 0;         // the line of the options text; 0 where there is none
    std::string Section;
    std::string Key;
    std::string Problem;  // what is wrong
    std::string Fallback; // what the engine does about it
};

// The options text's name in diagnostics (in a folder and in a package alike).
inline constexpr const char* kOptionsFileName = "Options.dat";

class TsSkinDiagnostics {
public:
    virtual ~TsSkinDiagnostics() = default;
    virtual void Report(TsSkinDiagnostic diagnostic) = 0;
    // Each load starts here (a skin may be loaded more than once: the problems of the last load
    // are the skin's).
    virtual void LoadStarted() {}
    // The options text as the load reads it.
    virtual void OptionsRead(const TsSkinIni& ini) {}
    // A value that would make the load fail counts as missing instead, so that one pass finds
    // every problem. Only a checker, whose skin is never shown, may ask for this.
    virtual bool ContinuePastFailures() const { return false; }
};

// Where a problem stands in a skin.
struct TsSkinPlace {
    std::string File = kOptionsFileName;
    std::string Section;
    std::string Key;
    int Line = 0;
};

// A diagnostic at a place.
TsSkinDiagnostic DiagnosticAt(const TsSkinPlace& place, TsSeverity severity, std::string rule, std::string problem,
                              std::string fallback);

// A failure of the load at a value (a number that is not one, a picture that cannot be read, a
// limit passed): told to diagnostics with its place, then thrown on, unless the diagnostics go on
// past failures, in which case the caller takes the value as missing.
void ReportLoadFailure(TsSkinDiagnostics* diagnostics, const std::exception& failure, const TsSkinPlace& place);

// "Options.dat:12: [EDIT] GLOW0": where the problem lies.
std::string DiagnosticPlace(const TsSkinDiagnostic& diagnostic);
// "Options.dat:12: error: [EDIT] GLOW0: problem (engine: fallback) [rule]".
std::string DiagnosticLine(const TsSkinDiagnostic& diagnostic);

// What the program does with a skin whose load fails.
inline constexpr const char* kRefusedFallback = "the program refuses the whole skin and keeps the skin it had";

} // namespace skin
