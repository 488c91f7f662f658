#pragma once
// A prompter nobody answers, for benchmarks whose circuits ask nothing.

#include "platform/prompter.h"

namespace benchtiming {

class SilentPrompter : public platform::Prompter {
public:
    SilentPrompter() : previous_(platform::setPrompter(this)) {}
    ~SilentPrompter() override { platform::setPrompter(previous_); }

    platform::MsgResult message(const platform::MessageRequest&) override { return platform::MsgResult::Ok; }
    std::optional<QString> input(const platform::InputRequest&) override { return std::nullopt; }
    std::optional<QString> openFile(const platform::FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const platform::FileRequest&) override { return std::nullopt; }
    std::optional<platform::FontChoice> chooseFont(const platform::FontChoice&) override { return std::nullopt; }

private:
    platform::Prompter* previous_;
};

}  // namespace benchtiming
