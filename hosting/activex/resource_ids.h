#pragma once

// Resource numbers of Ruvo.ocx, shared by the resource script and the code.
#define RUVO_TOOLBOX_BITMAP 30000
#define RUVO_LOGO_BITMAP 30001
