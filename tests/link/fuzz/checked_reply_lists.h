#pragma once
// The main window's three lists as the link's fuzz targets see them: a row
// set outside its list, or a memory row shown with more than its word's two
// characters, fails the target; appended unassembly rows are counted.

#include "link/reply_fills.h"

namespace linkfuzz {

class CheckedReplyLists : public devlink::ReplyLists {
public:
    // `fail` reports a broken property and ends the run.
    explicit CheckedReplyLists(void (*fail)(const char*)) : fail_(fail) {}

    int unasmRows = 0;

    void setMemoryRow(const devlink::MemoryRow& row) override {
        if (row.row < 1 || row.row > 128 || row.display.size() > 2) fail_("a memory row outside its list");
    }
    QString registerValue(int) const override { return {}; }
    void setRegisterValue(int row, const QString&) override {
        if (row < 1 || row > 17) fail_("a register row outside its list");
    }
    void markRegister(int, bool) override {}
    int appendUnasmRow(const devlink::UnasmRow&) override { return ++unasmRows; }
    void selectUnasmRow(int) override {}
    void scrollToUnasmRow(int) override {}

private:
    void (*fail_)(const char*);
};

}  // namespace linkfuzz
