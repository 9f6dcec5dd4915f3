#include "generator/progress_texts.h"

namespace arkona::generator {

long long roundedPercent(long long done, long long total) {
    if (total <= 0) {
        return 0;
    }
    const long long scaled = done * 100;
    long long q = scaled / total;
    const long long twice = (scaled % total) * 2;
    if (twice > total || (twice == total && q % 2 != 0)) {
        ++q;
    }
    return q;
}

std::string stateLine(long long done, long long total) {
    return " strana " + std::to_string(done) + " z " + std::to_string(total) + "   ( " +
           std::to_string(roundedPercent(done, total)) + " % )";
}

std::string durationText(long long hours, long long minutes, long long seconds) {
    const std::string tail = std::to_string(minutes) + " min. " + std::to_string(seconds) + " sek.";
    if (hours > 0) {
        return " " + std::to_string(hours) + " hod. " + tail;
    }
    if (minutes > 0) {
        return " " + tail;
    }
    return " " + std::to_string(seconds) + " sek.";
}

std::string durationText(long long seconds) {
    return durationText(seconds / 3600, seconds % 3600 / 60, seconds % 60);
}

std::string fileLabel(std::string_view disk, std::string_view src) {
    return " " + std::string(disk) + "\\" + std::string(src) + ".htm";
}

std::string pageLabel(std::string_view title) {
    return " " + std::string(title);
}

RunClock::Texts RunClock::tick(long long total, long long remaining) {
    Texts texts;
    const long long done = total - remaining;
    texts.remaining = durationText(done <= 0 ? 0 : ticks_ * remaining / done);
    ++ticks_;
    if (++seconds_ == 60) {
        seconds_ = 0;
        if (++minutes_ == 60) {
            minutes_ = 0;
            ++hours_;
        }
    }
    texts.elapsed = durationText(hours_, minutes_, seconds_);
    return texts;
}

} // namespace arkona::generator
