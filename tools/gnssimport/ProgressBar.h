// A one-line progress bar on a terminal, fed by the plug-ins' SetProgress.
// It appears only once a file has taken longer than a moment.
#pragma once

#include <chrono>
#include <ostream>
#include <string>

namespace cli {

class ProgressBar {
public:
    using Clock = std::chrono::steady_clock;

    ProgressBar(std::ostream& out, bool enabled, Clock::duration delay = std::chrono::milliseconds(300));
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // True when stderr is a terminal.
    static bool stderrIsTerminal();
    bool enabled() const { return m_enabled; }

    void start(const std::string& label, Clock::time_point now = Clock::now());
    void update(double percent, Clock::time_point now = Clock::now());
    // Wipes the bar so that other text can follow on a clean line.
    void clear();

private:
    void draw(int percent);

    std::ostream& m_out;
    bool m_enabled;
    Clock::duration m_delay;
    Clock::time_point m_start;
    std::string m_label;
    int m_shown = -1; // percent on screen, -1 when nothing is drawn
};

} // namespace cli
