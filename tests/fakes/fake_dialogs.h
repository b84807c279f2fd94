// Dialogs that record every box and answer from a queue; asking for an answer it was not
// given fails the test.
#pragma once

#include "platform/dialogs.h"

#include <QString>

#include <functional>
#include <QStringList>

#include <deque>
#include <vector>

namespace fakes {

struct Box {
    enum class Kind { Message, Question, Input, Choice } kind;
    QString prompt;
    QString title;
    friend bool operator==(const Box&, const Box&) = default;
};

class FakeDialogs final : public platform::Dialogs {
public:
    void message(const QString& prompt, const QString& title) override;
    bool question(const QString& prompt, const QString& title) override;
    QString input(const QString& prompt, const QString& title) override;
    // Answered like a question: Yes takes the first button.
    bool choose(const QString& prompt, const QString& title, const QString& first, const QString& second,
                const std::function<void(Press)>& opened) override;

    void answerYes() { m_answers.push_back(QStringLiteral("yes")); }
    void answerNo() { m_answers.push_back(QStringLiteral("no")); }
    void answerText(const QString& text) { m_inputs.push_back(text); }

    const std::vector<Box>& boxes() const { return m_boxes; }
    QStringList prompts() const;
    void clear() { m_boxes.clear(); }

private:
    std::vector<Box> m_boxes;
    std::deque<QString> m_answers;
    std::deque<QString> m_inputs;
};

} // namespace fakes
