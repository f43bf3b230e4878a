// The rules of tovrin-skin check. What the loader passes over it reports itself as it reads
// (sSkinDiagnostics.h); these rules look at the options text and the model the loader made,
// through the key table and the look-ups and mask geometry the painters use, for what the engine
// reads without a word: keys no unit reads, parent chains that end too soon, values it cannot
// take as their kind, masks whose pictures do not fit their cells.
#pragma once

#include "skin/data/sSkinDiagnostics.h"
#include "skin/data/sSkinIni.h"
#include "skin/data/sSkinOptions.h"

#include <vector>

namespace skin {

// Keys that no unit reads in the section they stand in ("FONTCOLR", "BOXCHECKED" in "BUTTON").
void CheckUnknownKeys(const TsSkinIni& ini, TsSkinDiagnostics& out);
// "PARENTCLASS" naming a section that is not there, the section itself, or a chain that comes
// back to a section it passed (each loop once).
void CheckParentClasses(const TsSkinIni& ini, TsSkinDiagnostics& out);
// "VERSION" missing or unreadable (read as 0, an old skin), or beyond what the engine knows.
void CheckSkinVersion(const TsSkinIni& ini, TsSkinDiagnostics& out);
// Values the engine cannot take as their kind: numbers and booleans that are not, colours out
// of range, gradients it reads otherwise than written.
void CheckValues(const TsSkinIni& ini, TsSkinDiagnostics& out);
// Mask keys whose value is no mask form (pictures that are not found the loader reports).
void CheckMaskValues(const TsSkinIni& ini, const TsSkinModel& model, TsSkinDiagnostics& out);
// Masks cut from an empty master bitmap, areas beyond their picture, areas that do not divide
// into their cells and rows, borders that leave a cell no middle.
void CheckMaskGeometry(const TsSkinIni& ini, const TsSkinModel& model, TsSkinDiagnostics& out);
// Glyph masks with fewer images than the states of a section that paints them.
void CheckGlyphStates(const TsSkinIni& ini, const TsSkinModel& model, TsSkinDiagnostics& out);

// Every rule; those of the model only when there is one (a load that failed has none).
void CheckSkin(const TsSkinIni& ini, const TsSkinModel* model, TsSkinDiagnostics& out);

// Errors before warnings; then the options text by line, then the other files by name.
void SortWorstFirst(std::vector<TsSkinDiagnostic>& diagnostics);

// A listener that keeps what the last load reported, and its options text.
class TsDiagnosticList : public TsSkinDiagnostics {
public:
    explicit TsDiagnosticList(bool continuePastFailures = false) : continue_(continuePastFailures) {}
    void Report(TsSkinDiagnostic diagnostic) override { Items.push_back(std::move(diagnostic)); }
    void LoadStarted() override {
        Items.clear();
        Options.reset();
    }
    void OptionsRead(const TsSkinIni& ini) override { Options = std::make_unique<TsSkinIni>(ini); }
    bool ContinuePastFailures() const override { return continue_; }

    std::vector<TsSkinDiagnostic> Items;
    std::unique_ptr<TsSkinIni> Options; // null until a load has read its options text

private:
    bool continue_;
};

} // namespace skin
