#include "ProgressBar.h"

#include "Text.h"

#include <cmath>
#include <unistd.h>

namespace cli {

namespace {

constexpr int kBarWidth = 30;
constexpr std::size_t kLabelWidth = 40;

} // namespace

ProgressBar::ProgressBar(std::ostream& out, bool enabled, Clock::duration delay)
    : m_out(out), m_enabled(enabled), m_delay(delay)
{
}

ProgressBar::~ProgressBar() { clear(); }

bool ProgressBar::stderrIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

void ProgressBar::start(const std::string& label, Clock::time_point now)
{
    clear();
    m_start = now;
    // Keep the end of a long label: the file name is the telling part.
    m_label = label;
    std::size_t width = displayWidth(m_label);
    while (width > kLabelWidth) {
        std::size_t cut = 1;
        while (cut < m_label.size() && (static_cast<unsigned char>(m_label[cut]) & 0xC0) == 0x80)
            ++cut;
        m_label.erase(0, cut);
        --width;
    }
}

void ProgressBar::update(double percent, Clock::time_point now)
{
    if (!m_enabled || now - m_start < m_delay)
        return;
    const int whole = std::isfinite(percent) ? static_cast<int>(std::fmin(std::fmax(percent, 0.0), 100.0)) : 0;
    if (whole != m_shown)
        draw(whole);
}

void ProgressBar::draw(int percent)
{
    const int filled = percent * kBarWidth / 100;
    std::string bar = "\r" + m_label + " [" + std::string(static_cast<std::size_t>(filled), '#')
                      + std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "] ";
    if (percent < 100)
        bar += ' ';
    if (percent < 10)
        bar += ' ';
    m_out << bar << percent << '%' << std::flush;
    m_shown = percent;
}

void ProgressBar::clear()
{
    if (m_shown < 0)
        return;
    m_out << '\r' << std::string(displayWidth(m_label) + kBarWidth + 9, ' ') << '\r' << std::flush;
    m_shown = -1;
}

} // namespace cli
