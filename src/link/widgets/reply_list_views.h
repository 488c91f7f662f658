#pragma once
// The reply lists over the main window's three list views: registers
// (ListView1), unassembly (ListView2) and memory (ListView3).

#include "link/reply_fills.h"

namespace platform {
class ListView;
}

namespace devlink {

class ReplyListViews : public ReplyLists {
public:
    ReplyListViews(platform::ListView& registers, platform::ListView& unassembly, platform::ListView& memory);

    void setMemoryRow(const MemoryRow& row) override;
    QString registerValue(int row) const override;
    void setRegisterValue(int row, const QString& value) override;
    void markRegister(int row, bool changed) override;
    int appendUnasmRow(const UnasmRow& row) override;
    void selectUnasmRow(int row) override;
    void scrollToUnasmRow(int row) override;

private:
    platform::ListView& registers_;
    platform::ListView& unassembly_;
    platform::ListView& memory_;
};

}  // namespace devlink
