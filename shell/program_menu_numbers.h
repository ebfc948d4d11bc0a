// Menu items, tool bar buttons and keyboard shortcuts of the main program by id (one id
// space), as the X-macro CV_MENU_NUMBERS(X) of (value, identifier). Part of
// shell/program_numbers.h.
#pragma once
#define CV_MENU_NUMBERS(X) X(0, gadget_tool_print)
