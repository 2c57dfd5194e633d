// Built only by the test that checks the module graph: decode may not see the settings of app,
// so this file must not compile against the include roots of quorvane_decode.
#include "app/Settings.h"
#include "decode/CDecoder.h"
