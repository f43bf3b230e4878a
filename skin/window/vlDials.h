// The window hook of the default skin manager, its part for forms: every top-level framework
// form gets a TsSkinProvider through a TvlProvider when the rules allow it (AddToAdapter). A
// form is taken when it is first shown, before its window exists (its frame decides the
// window's size and translucency), and at any activation that finds it without a provider;
// a form still being built is left for a later one. The hook also follows the compositing
// manager: when it starts or stops, the skin's extended-border pictures are prepared again and
// every skinned form switches its extended border on or off.
#pragma once

#include <QObject>
#include <QPointer>

#include <string>
#include <vector>

#include "skin/window/sSkinProvider.h"

class QWidget;

namespace skin {

// Windows the engine makes for itself carry this tag; a form whose tag and -98 equal -98 (the
// tags -98, -97, -66, -65, -34, -33, -2 and -1) is never skinned.
inline constexpr int kEngineTag = -98;
constexpr bool IsEngineTag(int tag) { return (tag & kEngineTag) == kEngineTag; }

// What the hook made for one form (owned by the form) or standard dialog (owned by no one).
class TvlProvider : public QObject {
    Q_OBJECT
public:
    explicit TvlProvider(QObject* owner);
    ~TvlProvider() override;

    // Gives the form its provider (owned by the form, it outlives this object).
    void AttachForm(framework::TForm* form);
    TsSkinProvider* FormProvider() const { return formProvider_; }

private:
    QPointer<TsSkinProvider> formProvider_;
};

// Installs the hook (once per process; it acts only while a default skin manager exists).
void InstallWindowHook();
// Removes it and frees every TvlProvider it made (the forms keep their providers).
void RemoveWindowHook();
bool WindowHookInstalled();

// Attaches a TvlProvider to window when the rules allow; true also for a form still being
// built (taken later).
bool AddToAdapter(QWidget* window);

// Class names never skinned.
const std::vector<std::string>& ExclusionList();
// The TvlProviders the hook made, in order (slots of destroyed ones are dropped).
std::vector<TvlProvider*> ProviderList();

// What the hook does when the compositing manager starts or stops (also called by tests that
// change the answer of the skin host): the default manager prepares its extended-border pictures
// for the new state and refreshes every window.
void CompositionChanged();

} // namespace skin
