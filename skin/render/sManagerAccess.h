// What a skin record needs of the skin manager serving it: the default manager, a manager's model
// and common indexes, whether skinning and halos are on, and the hot-window tracking. Records and
// painters stay free of the manager object; the control layer, which knows it, installs the
// answers (InstallWidgetAccess), and until then no manager serves any record.
#pragma once

#include <QObject>

#include <memory>

#include "skin/data/sSkinManagerTypes.h"
#include "skin/data/sSkinOptions.h"

namespace skin {

class TsManagerAccess {
public:
    virtual ~TsManagerAccess() = default;
    // The manager of controls that name none; nullptr without one.
    virtual QObject* DefaultManager() const;
    // The loaded model and common indexes of a manager; nullptr for no manager.
    virtual const TsSkinModel* Model(const QObject* manager) const;
    virtual const TsCommonIndexes* CommonIndexes(const QObject* manager) const;
    // Skinning is on (the manager's Active property).
    virtual bool SkinningOn(const QObject* manager) const;
    // Halos may be shown (the manager's effects allow glowing).
    virtual bool AllowsGlowing(const QObject* manager) const;
    // The default manager learns that the pointer is now over window.
    virtual void SetHotWindow(QObject* window);
};

// The access in force; never null.
TsManagerAccess& ManagerAccess();
// Replaces it (nullptr puts the "no manager" answers back); returns the previous one.
std::unique_ptr<TsManagerAccess> SetManagerAccess(std::unique_ptr<TsManagerAccess> access);

} // namespace skin
