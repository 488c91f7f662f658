#pragma once
// A Prompter for tests: answers come from a script, every request is recorded.

#include "platform/prompter.h"

#include <deque>
#include <functional>
#include <variant>
#include <vector>

namespace testsupport {

class ScriptedPrompter : public platform::Prompter {
public:
    struct Asked {
        enum Kind { Message, Input, OpenFile, SaveFile, Font } kind;
        platform::MessageRequest message;
        platform::InputRequest input;
        platform::FileRequest file;
    };

    ScriptedPrompter() : previous_(platform::setPrompter(this)) {}
    ~ScriptedPrompter() override { platform::setPrompter(previous_); }

    // Queue answers in the order the code will ask. An unscripted message box
    // answers its default button; unscripted inputs and dialogs cancel.
    void answerMessage(platform::MsgResult r) { messages_.push_back(r); }
    void answerInput(std::optional<QString> s) { inputs_.push_back(std::move(s)); }
    void answerFile(std::optional<QString> s) { files_.push_back(std::move(s)); }
    void answerFont(std::optional<platform::FontChoice> f) { fonts_.push_back(std::move(f)); }
    // Runs while a message box would be up (e.g. to check what is disabled).
    std::function<void(const platform::MessageRequest&)> onMessage;

    const std::vector<Asked>& asked() const { return asked_; }
    std::vector<platform::MessageRequest> messages() const {
        std::vector<platform::MessageRequest> out;
        for (const auto& a : asked_) if (a.kind == Asked::Message) out.push_back(a.message);
        return out;
    }
    void clear() { asked_.clear(); }

    platform::MsgResult message(const platform::MessageRequest& r) override {
        asked_.push_back({Asked::Message, r, {}, {}});
        if (onMessage) onMessage(r);
        if (!messages_.empty()) { auto v = messages_.front(); messages_.pop_front(); return v; }
        return defaultOf(r);
    }
    std::optional<QString> input(const platform::InputRequest& r) override {
        asked_.push_back({Asked::Input, {}, r, {}});
        if (inputs_.empty()) return std::nullopt;
        auto v = inputs_.front(); inputs_.pop_front(); return v;
    }
    std::optional<QString> openFile(const platform::FileRequest& r) override {
        asked_.push_back({Asked::OpenFile, {}, {}, r});
        return nextFile();
    }
    std::optional<QString> saveFile(const platform::FileRequest& r) override {
        asked_.push_back({Asked::SaveFile, {}, {}, r});
        return nextFile();
    }
    std::optional<platform::FontChoice> chooseFont(const platform::FontChoice&) override {
        asked_.push_back({Asked::Font, {}, {}, {}});
        if (fonts_.empty()) return std::nullopt;
        auto v = fonts_.front(); fonts_.pop_front(); return v;
    }

private:
    static platform::MsgResult defaultOf(const platform::MessageRequest& r) {
        using platform::MsgButtons; using platform::MsgResult;
        const int d = r.defaultButton;
        switch (r.buttons) {
            case MsgButtons::Ok: return MsgResult::Ok;
            case MsgButtons::OkCancel: return d == 1 ? MsgResult::Cancel : MsgResult::Ok;
            case MsgButtons::YesNo: return d == 1 ? MsgResult::No : MsgResult::Yes;
            case MsgButtons::YesNoCancel: return d == 2 ? MsgResult::Cancel : d == 1 ? MsgResult::No : MsgResult::Yes;
            case MsgButtons::RetryCancel: return d == 1 ? MsgResult::Cancel : MsgResult::Retry;
            case MsgButtons::AbortRetryIgnore: return d == 2 ? MsgResult::Ignore : d == 1 ? MsgResult::Retry : MsgResult::Abort;
        }
        return MsgResult::Ok;
    }
    std::optional<QString> nextFile() {
        if (files_.empty()) return std::nullopt;
        auto v = files_.front(); files_.pop_front(); return v;
    }

    platform::Prompter* previous_;
    std::deque<platform::MsgResult> messages_;
    std::deque<std::optional<QString>> inputs_;
    std::deque<std::optional<QString>> files_;
    std::deque<std::optional<platform::FontChoice>> fonts_;
    std::vector<Asked> asked_;
};

}  // namespace testsupport
