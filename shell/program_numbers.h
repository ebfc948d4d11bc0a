// The main program's numbers by name: its windows, gadgets, menu/tool bar/shortcut ids
// (one id space), error-location codes and the event codes its loops receive. The report
// viewer builds its name tables from these lists, so a report is read with the names of
// the numbers the program really uses; when the program's numbering changes, these lists
// change with it (tests/shell checks the menu ids against the built menus).
//
// Each list is an X-macro of (value, identifier); the shown name is "#" + identifier.
#pragma once
#include <cstdint>

// ---- windows -----------------------------------------------------------------------------
#define CV_WINDOW_NUMBERS(X)                                                                  \
  X(0, window_main) X(1, window_konfiguration) X(2, window_debug) X(3, window_find)           \
  X(5, window_fill) X(6, window_print) X(7, window_newimage) X(8, window_colormove)           \
  X(9, window_effektstaerke) X(10, window_Colormaxmin) X(11, window_waves)                    \
  X(12, window_bewegeffekt) X(13, window_eigeneffekt) X(14, window_2cs)                       \
  X(15, window_colormaxmin_aufraeum) X(16, window_kompress) X(17, window_256colors_usecolor)  \
  X(18, window_256colors_changepalette) X(19, window_256colors_createpalette)                 \
  X(20, window_256colors_message) X(21, window_sonderzeichen) X(22, window_pinselform)        \
  X(23, window_about) X(24, window_about_who) X(25, window_showforbegin)                      \
  X(26, window_fortschritt) X(27, window_farbe) X(28, window_tdt) X(29, window_resize)        \
  X(30, window_faq) X(32, window_icon) X(33, window_icon_preopen) X(34, window_buffer)        \
  X(35, window_save) X(36, window_addstructure) X(37, window_shortcut)                        \
  X(38, window_bugreport) X(39, window_bugreport_status) X(41, window_relief)                 \
  X(42, window_colorinfo) X(43, window_parent)

// ---- gadgets -----------------------------------------------------------------------------
// The named gadgets of the main window, its panels and the program's own windows; a
// number between them that the program gives no fixed role has no name.
#define CV_GADGET_NUMBERS(X)                                                                  \
  X(0, gadget_begin) X(1, gadget_begin_text) X(2, gadget_bar) X(3, gadget_title)              \
  X(4, gadget_lineal_x) X(5, gadget_lineal_y) X(6, gadget_split) X(7, gadget_mainarea)        \
  X(8, gadget_panelarea) X(9, ggt_win_operations) X(10, gadget_operations_tab)                \
  X(11, gadget_mainimage) X(12, gadget_mainscroll_x) X(13, gadget_mainscroll_y)               \
  X(14, gadget_farbe1) X(15, gadget_farbe2) X(16, gadget_farbe3) X(17, gadget_farbe4)         \
  X(34, gadget_lasso) X(35, gadget_viereckmarkieren) X(36, gadget_kreismark)                  \
  X(37, gadget_zauberstab) X(38, gadget_vieleckmark) X(39, gadget_pipette)                    \
  X(40, gadget_verzerren) X(41, gadget_freihand) X(42, gadget_pinsel) X(43, gadget_text)      \
  X(44, gadget_spruehdose) X(45, gadget_radiergummi) X(46, gadget_fill) X(47, gadget_bezier)  \
  X(48, gadget_kreis) X(49, gadget_ellipse) X(50, gadget_viereck) X(51, gadget_vieleck)       \
  X(52, gadget_linie) X(53, gadget_linie_autograde) X(54, gadget_raute) X(55, gadget_zirkel)  \
  X(56, gadget_drawform) X(57, gadget_pipette_area) X(58, gadget_wisch)                       \
  X(60, gadget_pixelsize) X(63, gadget_width) X(64, gadget_height) X(65, gadget_keepratio)    \
  X(67, gadget_specialsize) X(71, gadget_resize)                                              \
  X(74, gadget_kontrast) X(77, gadget_helligkeit) X(80, gadget_rot) X(82, gadget_gruen)       \
  X(84, gadget_blau) X(85, gadget_colors_test) X(86, gadget_colors_ok)                        \
  X(87, gadget_colors_cancel) X(88, gadget_drawform_image) X(89, gadget_radius)               \
  X(92, gadget_tolleranz) X(93, gadget_soft) X(100, gadget_drawsteps)                         \
  X(120, ggt_win_marked) X(121, gadget_marked_tab) X(122, gadget_marked_effects)              \
  X(123, gadget_marked_structuresection) X(124, gadget_marked_invert)                         \
  X(126, gadget_marked_move) X(139, gadget_marked_kontrast) X(142, gadget_marked_helligkeit)  \
  X(145, gadget_marked_RGB) X(155, gadget_marked_test) X(156, gadget_marked_ok)               \
  X(157, gadget_marked_cancel)                                                                \
  X(161, gadget_tab_1) X(162, gadget_tab_2) X(163, gadget_tab_3) X(164, gadget_tab_4)         \
  X(165, gadget_tab_5) X(166, gadget_tab_6) X(167, gadget_tab_7) X(168, gadget_tab_8)         \
  X(169, gadget_tab_9) X(170, gadget_tab_10) X(171, gadget_drawbar) X(172, gadget_drawbar_tab) \
  X(352, ggt_win_effects) X(353, gadget_ef_info) X(354, gadget_ef_tab) X(355, gadget_ef_list) \
  X(356, gadget_ef_do)                                                                        \
  X(357, container_effects1) X(358, container_effects2) X(359, container_effects3)            \
  X(360, container_effects4) X(361, container_effects5) X(362, container_effects6)            \
  X(363, container_effects7) X(364, container_effects8) X(365, container_effects9)            \
  X(366, container_effects10) X(367, container_effects11) X(368, container_effects12)         \
  X(369, container_effects13)                                                                 \
  X(491, gadget_pinselform_list) X(492, gadget_pinselform_image) X(493, gadget_pinselform_ok) \
  X(494, gadget_pinselform_cancel) X(495, ggt_win_code) X(496, gadget_code_editor)            \
  X(497, gadget_code_info) X(498, gadget_find_label) X(499, gadget_find_text)                 \
  X(500, gadget_replace_label) X(501, gadget_replace_text) X(502, gadget_find_search)         \
  X(503, gadget_find_replace) X(504, gadget_find_replaceall) X(505, gadget_find_cancel)       \
  X(506, gadget_find_begin) X(507, gadget_find_words) X(508, gadget_find_case)                \
  X(509, gadget_find_forward) X(510, gadget_find_backward) X(511, gadget_debug_list)          \
  X(512, gadget_kon_tab) X(514, gadget_kon_folder) X(515, gadget_kon_folder_choose)           \
  X(516, gadget_kon_tooltips) X(517, gadget_kon_update) X(518, gadget_kon_tdt)                \
  X(520, gadget_kon_width) X(521, gadget_kon_height) X(523, gadget_kon_undo)                  \
  X(561, gadget_kon_tabwidth) X(562, gadget_kon_rueckwidth) X(563, gadget_kon_editundo)       \
  X(574, gadget_kon_backup) X(575, gadget_kon_createerror) X(576, gadget_kon_showtoolbar)     \
  X(577, gadget_kon_showerrors) X(578, gadget_kon_senderrors) X(579, gadget_kon_ok)           \
  X(580, gadget_kon_cancel) X(581, gadget_kon_apply)                                          \
  X(582, ggt_win_txt) X(584, gadget_txt_editor) X(585, gadget_txt_font)                       \
  X(586, gadget_txt_size) X(587, gadget_txt_bold) X(588, gadget_txt_italic)                   \
  X(589, gadget_txt_underline) X(590, gadget_txt_sonderzeichen) X(593, gadget_txt_transparenz) \
  X(596, gadget_txt_ok) X(597, gadget_txt_cancel)                                             \
  X(607, gadget_colormove_rot) X(610, gadget_colormove_gruen) X(613, gadget_colormove_blau)   \
  X(616, gadget_colormove_ok) X(617, gadget_colormove_cancel)                                 \
  X(753, gadget_tdt_done) X(754, gadget_tdt_back) X(755, gadget_tdt_next)                     \
  X(756, gadget_tdt_text) X(805, gadget_farbe_button) X(806, gadget_farbe_rot)                \
  X(807, gadget_farbe_gruen) X(808, gadget_farbe_blau) X(809, gadget_farbe_tab)               \
  X(822, gadget_farbe_hex) X(823, gadget_farbe_hex_ok) X(824, gadget_farbe_hell)              \
  X(832, gadget_bugreport_list) X(833, gadget_bugreport_upload)                               \
  X(834, gadget_bugreport_cancel) X(835, gadget_bugreport_view)                               \
  X(836, gadget_bugreport_status) X(837, gadget_parent_editor) X(838, gadget_last)

// ---- menu items, tool bar buttons and shortcuts (one id space) ---------------------------
#include "shell/program_menu_numbers.h"

// ---- error locations ---------------------------------------------------------------------
// OnErrorCode1: the command that ran; after 0 in alphabetical order.
#define CV_ERROR_LOCATIONS_1(X)                                                               \
  X(0, onerror_1_none) X(1, onerror_1_about) X(2, onerror_1_beenden)                          \
  X(3, onerror_1_closeimage) X(4, onerror_1_colorchange) X(5, onerror_1_colors_256)           \
  X(6, onerror_1_compile) X(7, onerror_1_copy_area) X(8, onerror_1_copy_main)                 \
  X(9, onerror_1_cut_area) X(10, onerror_1_cut_main) X(11, onerror_1_drawform)                \
  X(12, onerror_1_effect) X(13, onerror_1_effektfenster) X(14, onerror_1_faq)                 \
  X(15, onerror_1_gadgetrelease) X(16, onerror_1_keymode_down) X(17, onerror_1_keymode_up)    \
  X(18, onerror_1_konfigurations) X(19, onerror_1_konfigurations_open)                        \
  X(20, onerror_1_mousedownevent) X(21, onerror_1_mouseupevent) X(22, onerror_1_open)         \
  X(23, onerror_1_paste_clipboard) X(24, onerror_1_paste_file) X(25, onerror_1_picturechange) \
  X(26, onerror_1_preview) X(27, onerror_1_printpreview) X(28, onerror_1_redo)                \
  X(29, onerror_1_resizepaint) X(30, onerror_1_rightmouse) X(31, onerror_1_save)              \
  X(32, onerror_1_statusbar_create) X(33, onerror_1_statusbar_remove)                         \
  X(34, onerror_1_structuresection) X(35, onerror_1_structuresection_compile)                 \
  X(36, onerror_1_structuresection_marked_compile) X(37, onerror_1_syntaxhighlighting)        \
  X(38, onerror_1_tdt) X(39, onerror_1_text_ok) X(40, onerror_1_undo)

// OnErrorCode2: the inner routine that ran, 0 none.
#define CV_ERROR_LOCATIONS_2(X)                                                               \
  X(0, onerror_2_none) X(1, onerror_2_arearepaint) X(2, onerror_2_areatolist)                 \
  X(3, onerror_2_array_to_image) X(4, onerror_2_createeditredo) X(5, onerror_2_createeditundo) \
  X(6, onerror_2_effektwindowselect) X(7, onerror_2_paint) X(8, onerror_2_picturechange_in)   \
  X(9, onerror_2_picturechange_out) X(10, onerror_2_printimage) X(11, onerror_2_returnareaimage) \
  X(12, onerror_2_returnmainimage) X(13, onerror_2_ss_addeffekt_black)                        \
  X(14, onerror_2_ss_addeffekt_white) X(15, onerror_2_ss_changetoblack)                       \
  X(16, onerror_2_ss_changetowhite) X(17, onerror_2_turnareaimage)                            \
  X(18, onerror_2_turnmainimage) X(19, onerror_2_updategitter)                                \
  X(20, onerror_2_updateprintimage) X(21, onerror_2_updatestatusbar) X(22, onerror_2_workparams)

namespace program_numbers {

#define CV_ENUM_ENTRY(value, name) name = value,
enum class Window : int32_t { CV_WINDOW_NUMBERS(CV_ENUM_ENTRY) };
enum class Gadget : int32_t { CV_GADGET_NUMBERS(CV_ENUM_ENTRY) };
enum class Menu : int32_t { CV_MENU_NUMBERS(CV_ENUM_ENTRY) };
enum class ErrorLocation1 : int32_t { CV_ERROR_LOCATIONS_1(CV_ENUM_ENTRY) };
enum class ErrorLocation2 : int32_t { CV_ERROR_LOCATIONS_2(CV_ENUM_ENTRY) };
#undef CV_ENUM_ENTRY

struct NumberName {
  int32_t value;
  const char* name;
};
#define CV_NAME_ENTRY(value, name) {value, "#" #name},
inline constexpr NumberName kWindows[] = {CV_WINDOW_NUMBERS(CV_NAME_ENTRY)};
inline constexpr NumberName kGadgets[] = {CV_GADGET_NUMBERS(CV_NAME_ENTRY)};
inline constexpr NumberName kMenus[] = {CV_MENU_NUMBERS(CV_NAME_ENTRY)};
inline constexpr NumberName kErrorLocations1[] = {CV_ERROR_LOCATIONS_1(CV_NAME_ENTRY)};
inline constexpr NumberName kErrorLocations2[] = {CV_ERROR_LOCATIONS_2(CV_NAME_ENTRY)};
#undef CV_NAME_ENTRY

// The event codes the program's loops receive: the toolkit's close, gadget and menu
// events and the system's message numbers.
inline constexpr NumberName kEvents[] = {
    {0x10, "#WM_CLOSE"},        {0x332C, "#TK_EventGadget"}, {0x332D, "##TK_EventMenu"},
    {0x200, "#WM_MouseMove"},   {0x201, "#WM_Lbuttondown"},  {0x202, "#WM_LButtonUp"},
    {0x204, "#WM_RButtonDown"}, {0x205, "#WM_RButtonUp"},    {0x100, "#WM_KeyDown"},
    {0x101, "#WM_KeyUp"},       {0x114, "#WM_HScroll"},      {0x115, "#WM_VScroll"},
    {0x5, "#WM_Size"},          {0x138, "#WM_CTLCOLORSTATIC"}, {0x111, "#WM_COMMAND"},
};

}  // namespace program_numbers
