// The toolkit layer in one include.
#pragma once
#include "toolkit/tk_base.h"
#include "toolkit/tk_file.h"
#include "toolkit/tk_gadget.h"
#include "toolkit/tk_image.h"
#include "toolkit/tk_print.h"
#include "toolkit/tk_rich.h"
#include "toolkit/tk_window.h"
