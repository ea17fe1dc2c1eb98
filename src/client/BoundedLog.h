#pragma once
#include <QPlainTextEdit>

// Logs that peers can write to (the game log, the chat window) keep a bounded number of
// lines: each new line beyond the bound drops the oldest one, so a flood of lines costs
// neither memory nor time that grows with it.
namespace client {

constexpr int LogLineLimit = 1000;

// Makes the memo keep at most `lines` lines from now on, clears included.
inline void BoundLog(QPlainTextEdit& memo, int lines = LogLineLimit) {
    memo.setMaximumBlockCount(lines);
}

} // namespace client
