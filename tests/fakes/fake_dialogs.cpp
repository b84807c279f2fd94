// The recording dialogs for tests.
#include "fakes/fake_dialogs.h"

#include <gtest/gtest.h>

namespace fakes {

void FakeDialogs::message(const QString& prompt, const QString& title)
{
    m_boxes.push_back({Box::Kind::Message, prompt, title});
}

bool FakeDialogs::question(const QString& prompt, const QString& title)
{
    m_boxes.push_back({Box::Kind::Question, prompt, title});
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << prompt.toStdString();
        return false;
    }
    const bool yes = m_answers.front() == QStringLiteral("yes");
    m_answers.pop_front();
    return yes;
}

bool FakeDialogs::choose(const QString& prompt, const QString& title, const QString&, const QString&,
                         const std::function<void(Press)>&)
{
    m_boxes.push_back({Box::Kind::Choice, prompt, title});
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected choice: " << prompt.toStdString();
        return true;
    }
    const bool first = m_answers.front() == QStringLiteral("yes");
    m_answers.pop_front();
    return first;
}

QString FakeDialogs::input(const QString& prompt, const QString& title)
{
    m_boxes.push_back({Box::Kind::Input, prompt, title});
    if (m_inputs.empty()) {
        ADD_FAILURE() << "unexpected input box: " << prompt.toStdString();
        return {};
    }
    QString text = m_inputs.front();
    m_inputs.pop_front();
    return text;
}

QStringList FakeDialogs::prompts() const
{
    QStringList out;
    for (const Box& box : m_boxes) {
        out << box.prompt;
    }
    return out;
}

} // namespace fakes
