// What the skin manager asks of the program around it: whether windows may be partly
// transparent, whether the pointer is over a control, which windows to announce a skin to, and
// how to show a message. One host serves the process; the program installs its own at start-up
// (it knows widgets, which this layer does not), and until then the defaults below answer.
#pragma once

#include "framework/core/Dialogs.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QObject;

namespace skin {

class TsSkinHost {
public:
    virtual ~TsSkinHost() = default;

    // Layered windows (per-pixel alpha) can be shown: the desktop composites. Default: true.
    virtual bool LayeredWindowsAvailable() const;
    // The pointer is over the control. Default: the object's mouse-over property.
    virtual bool HasPointer(QObject* control) const;
    // The application's top-level windows, forms first in creation order. Default: the list the
    // widget framework registered.
    virtual std::vector<QObject*> TopLevelWindows() const;
    // The forms that have a skin provider, in the order they are announced to; nothing means the
    // manager's own rule (the top-level windows that say they are skinned). Default: nothing.
    virtual std::optional<std::vector<QObject*>> ProviderForms() const;
    // Shows the message (Windows-1251) modally. Default: the framework's message presenter.
    virtual framework::DialogAnswer ShowMessage(framework::MessageKind kind, const std::string& text) const;
};

// The process's host; the defaults until one is installed. Installing null restores them.
const TsSkinHost& SkinHost();
void InstallSkinHost(std::unique_ptr<TsSkinHost> host);

} // namespace skin
