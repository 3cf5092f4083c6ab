#pragma once

#include <QString>

// A message box that an operation asks the main form to show: caption, icon and text.
struct MessageNote {
    enum class Icon { Information, Warning, Error };

    QString caption;
    Icon icon = Icon::Information;
    QString text;

    bool operator==(const MessageNote &) const = default;
};

inline constexpr auto kCaptionInfo = "Info";
inline constexpr auto kCaptionError = "Error";
inline constexpr auto kTextCoreSaved = "File \"core_config.conf\" Saved.";
inline constexpr auto kTextGuiSaved = "File \"gui_config.conf\" Saved.";
inline constexpr auto kTextUserNotSelected = "User IP not selected.";
