#include "frmAnalyticBldrWizard.h"
