// The end-to-end tests, one function each. To add one: write it in its own .cpp here, declare
// it below, list it in test_table.cpp, and register it with e2e_test() in ../CMakeLists.txt.
#pragma once

#include "driver/test_case.h"

namespace e2e::cases {

void wine_setup(Context& context);
void editor_typing(Context& context);
void palette_startup(Context& context);
void builtin_walk(Context& context);
void palette_sending(Context& context);
void palette_send_without_target(Context& context);
void about_window(Context& context);
void palette_user_groups(Context& context);
void palette_edit_command(Context& context);
void palette_resources(Context& context);
void palette_handles(Context& context);
void font_cache(Context& context);
void dpi_change(Context& context);
void palette_hostile_files(Context& context);
void palette_long_run(Context& context);
void palette_live_reload(Context& context);
void palette_click_order(Context& context);
void palette_right_click(Context& context);
void palette_held_modifiers(Context& context);
void palette_place(Context& context);
void palette_code_points(Context& context);

}  // namespace e2e::cases
