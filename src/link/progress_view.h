#pragma once
// The progress dialog DataSendRecvProcess as the exchanges see it. One is made
// for each exchange and unloaded at its end; the link never touches a view
// after unloading it.

#include <QString>

#include <functional>

namespace devlink {

class ProgressView {
public:
    virtual ~ProgressView() = default;

    virtual void setCaption(const QString& text) = 0;
    virtual void setLabel1(const QString& text) = 0;  // the title line
    virtual void setLabel2(const QString& text) = 0;  // the description line
    virtual void setLabel3(const QString& text) = 0;  // the counter
    virtual QString label3() const = 0;
    virtual void setProgressRange(int minimum, int maximum) = 0;
    virtual int progressMaximum() const = 0;
    virtual void setProgressValue(int value) = 0;

    // Text tags the code transfers keep their counters in.
    virtual void setTag(const QString& text) = 0;
    virtual QString tag() const = 0;
    virtual void setLabel3Tag(const QString& text) = 0;
    virtual QString label3Tag() const = 0;
    virtual void setProgressTag(const QString& text) = 0;
    virtual QString progressTag() const = 0;

    // Shows the dialog, not modal, in front of the other windows.
    virtual void showInFront() = 0;
    // Closes the dialog for good; it goes away once the current event is done.
    virtual void unload() = 0;

    // Run by "取消" (and Escape).
    std::function<void()> onCancel;
};

}  // namespace devlink
