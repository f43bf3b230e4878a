// A QObject that plays a window: it records the skin commands it receives and answers
// SKC_IS_SKINNED as told.
#pragma once

#include "framework/core/SkinCommand.h"

#include <QObject>

#include <string>
#include <vector>

namespace skin::testing {

struct ReceivedCommand {
    std::string Receiver;
    int Command;
    bool operator==(const ReceivedCommand&) const = default;
};

class SkinCommandRecorder : public QObject {
public:
    SkinCommandRecorder(const std::string& name, std::vector<ReceivedCommand>& log, bool skinned,
                        QObject* parent = nullptr)
        : QObject(parent), log_(log), skinned_(skinned) {
        setObjectName(QString::fromStdString(name));
    }

    bool event(QEvent* event) override {
        if (event->type() != framework::kSkinCommandEventType)
            return QObject::event(event);
        auto* command = static_cast<framework::SkinCommandEvent*>(event);
        constexpr int kIsSkinned = 7;
        if (command->Command() == kIsSkinned)
            command->SetResult(skinned_ ? 1 : 0);
        else
            log_.push_back({objectName().toStdString(), command->Command()});
        return true;
    }

private:
    std::vector<ReceivedCommand>& log_;
    bool skinned_;
};

} // namespace skin::testing
