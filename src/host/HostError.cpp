#include "HostError.h"
