#include "frmAnalyticSelector2.h"
