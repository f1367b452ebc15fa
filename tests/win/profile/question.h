#pragma once
// Answers the "Can not open <%s>!>" question from a script instead of a box,
// and records which files it was asked about. Installed for the lifetime of
// the object; an unexpected question is answered with Ignore.
#include <windows.h>
#include <deque>
#include <functional>
#include <string>
#include <vector>
#include "profile/memfile.h"

class CScriptedQuestion {
public:
    explicit CScriptedQuestion(std::deque<int> answers = {}) : m_answers(std::move(answers))
    {
        s_current = this;
        SetOpenFailureQuestion(&CScriptedQuestion::Ask);
    }
    ~CScriptedQuestion()
    {
        SetOpenFailureQuestion(nullptr);
        s_current = nullptr;
    }
    CScriptedQuestion(const CScriptedQuestion&) = delete;
    CScriptedQuestion& operator=(const CScriptedQuestion&) = delete;

    void Answer(std::deque<int> answers) { m_answers = std::move(answers); }
    // Runs before the answer is given (e.g. to create the missing file).
    void OnAsk(std::function<void()> action) { m_onAsk = std::move(action); }
    const std::vector<std::string>& Asked() const { return m_asked; }

private:
    static int Ask(const std::string& fileName)
    {
        CScriptedQuestion& self = *s_current;
        self.m_asked.push_back(fileName);
        if (self.m_onAsk)
            self.m_onAsk();
        if (self.m_answers.empty())
            return IDIGNORE;
        const int answer = self.m_answers.front();
        self.m_answers.pop_front();
        return answer;
    }

    static inline CScriptedQuestion* s_current = nullptr;
    std::deque<int> m_answers;
    std::function<void()> m_onAsk;
    std::vector<std::string> m_asked;
};
