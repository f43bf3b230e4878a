// The skin commands that skinned windows send one another (the command part of the skin-command
// event 0xA100), by the names the engine uses for them.
#pragma once

namespace skin {

inline constexpr int SKC_SKIN_LOADED = 1;
inline constexpr int SKC_SKIN_REMOVED = 2;
inline constexpr int SKC_SKIN_REFRESH = 3;
inline constexpr int SKC_GET_PROVIDER = 4;
inline constexpr int SKC_PARENT_UPDATED = 6;
inline constexpr int SKC_IS_SKINNED = 7;
inline constexpr int SKC_SET_UPDATING = 8;
inline constexpr int SKC_SET_TRANSPARENT_LOCK = 9;
inline constexpr int SKC_IS_PREPARING = 10;
inline constexpr int SKC_GET_HALF_VISIBLE = 11;
inline constexpr int SKC_UPDATE_SECTION = 13;
inline constexpr int SKC_SET_SECTION = 15;
inline constexpr int SKC_STOP_FADING = 16;
inline constexpr int SKC_SET_BG_CHANGED = 17;
inline constexpr int SKC_FADE_FRAME_READY = 18;
inline constexpr int SKC_CHILD_CHANGED = 19;
inline constexpr int SKC_BG_CHANGED_IF_NEEDED = 20;
inline constexpr int SKC_GET_CONTROL_COLOR = 21;
inline constexpr int SKC_SET_HALF_VISIBLE = 22;
inline constexpr int SKC_CLEAR_BG_CHANGED = 23;
inline constexpr int SKC_DRAW_FADE_FRAME = 24;
inline constexpr int SKC_CONTROL_SKINNED = 25;
inline constexpr int SKC_GET_SECTION_INDEX = 26;
// A group-box adapter answers its caption band's height, a tab-control adapter its manager.
inline constexpr int SKC_GET_CAPTION_BAND = 27;
inline constexpr int SKC_MOUSE_ENTERED = 29;
inline constexpr int SKC_MOUSE_LEFT = 30;
inline constexpr int SKC_PAINT_SUSPENDED = 31;
inline constexpr int SKC_PAINT_RESUMED = 32;
inline constexpr int SKC_CLEAR_CACHE = 33;
inline constexpr int SKC_GET_BACKGROUND = 34;
inline constexpr int SKC_GET_PARENT_BG_FLAGS = 36;
inline constexpr int SKC_GET_SKIN_DATA = 37;
inline constexpr int SKC_PRINT_DC = 38;
inline constexpr int SKC_BEFORE_SCROLL = 51;
inline constexpr int SKC_AFTER_SCROLL = 52;
inline constexpr int SKC_GET_APPLICATION = 60;
inline constexpr int SKC_GET_CLIENT_OFFSET = 61;

} // namespace skin
