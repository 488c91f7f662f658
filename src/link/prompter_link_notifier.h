#pragma once
// Shows what the device link reports and asks in the program's message
// boxes, input box and file dialogs, through the installed prompter.

#include "link/link_notifier.h"

namespace devlink {

class PrompterLinkNotifier : public LinkNotifier {
public:
    void commError(int errorNumber, int portNumber) override;
    std::optional<QString> askAddress(const QString& prompt, const QString& title,
                                      const QString& defaultText) override;
    std::optional<QString> chooseReceiveFile() override;
    std::optional<QString> chooseSendFile() override;
    void codeFileError() override;
};

// Installs a PrompterLinkNotifier for as long as it lives, then puts back the previous notifier.
class ScopedPrompterLinkNotifier {
public:
    ScopedPrompterLinkNotifier() : previous_(setLinkNotifier(&notifier_)) {}
    ~ScopedPrompterLinkNotifier() { setLinkNotifier(previous_); }
    ScopedPrompterLinkNotifier(const ScopedPrompterLinkNotifier&) = delete;
    ScopedPrompterLinkNotifier& operator=(const ScopedPrompterLinkNotifier&) = delete;

private:
    PrompterLinkNotifier notifier_;
    LinkNotifier* previous_;
};

}  // namespace devlink
