#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QPoint>
#include <QRect>
#include <QScreen>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace velmora {

namespace {

std::int32_t fitSpan(std::int32_t wanted, std::int32_t minimum, std::int32_t available)
{
    return std::max(minimum, std::min(wanted, available));
}

// 64 bits: a saved start near the limit of 32 bits plus a span must not wrap.
std::int32_t fitStart(std::int32_t wanted, std::int32_t span, std::int32_t areaStart, std::int32_t areaSpan)
{
    const std::int64_t lastStart = std::int64_t{areaStart} + areaSpan - span;
    return static_cast<std::int32_t>(std::max<std::int64_t>(areaStart, std::min<std::int64_t>(wanted, lastStart)));
}

int centre(std::int32_t start, std::int32_t span)
{
    const std::int64_t middle = std::int64_t{start} + span / 2;
    return static_cast<int>(std::clamp<std::int64_t>(middle, std::numeric_limits<int>::min(),
                                                      std::numeric_limits<int>::max()));
}

} // namespace

WindowBounds FitWindowBounds(const WindowBounds& saved, const WindowBounds& area)
{
    WindowBounds fitted;
    fitted.width = fitSpan(saved.width, kMinimumWindowWidth, area.width);
    fitted.height = fitSpan(saved.height, kMinimumWindowHeight, area.height);
    fitted.left = fitStart(saved.left, fitted.width, area.left, area.width);
    fitted.top = fitStart(saved.top, fitted.height, area.top, area.height);
    return fitted;
}

WindowBounds FitWindowBoundsToScreen(const WindowBounds& saved)
{
    const QScreen* screen = QGuiApplication::screenAt(
        QPoint(centre(saved.left, saved.width), centre(saved.top, saved.height)));
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {saved.left, saved.top, std::max(saved.width, kMinimumWindowWidth),
                std::max(saved.height, kMinimumWindowHeight)};
    }
    const QRect area = screen->availableGeometry();
    return FitWindowBounds(saved, {area.left(), area.top(), area.width(), area.height()});
}

} // namespace velmora
