#include "checks/TermsCheck.h"
