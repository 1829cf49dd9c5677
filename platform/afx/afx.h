// The class layer for libraries written in the application-framework style, in one include.
#pragma once

#include "platform/afx/app.h"
#include "platform/afx/color_dialog.h"
#include "platform/afx/controls.h"
#include "platform/afx/data_exchange.h"
#include "platform/afx/dc.h"
#include "platform/afx/dialog.h"
#include "platform/afx/gdi_objects.h"
#include "platform/afx/menu.h"
#include "platform/afx/message_box.h"
#include "platform/afx/message_map.h"
#include "platform/afx/module_state.h"
#include "platform/afx/string_format.h"
#include "platform/afx/wait_cursor.h"
#include "platform/afx/wnd.h"
