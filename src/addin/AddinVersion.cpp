#include "AddinVersion.h"
