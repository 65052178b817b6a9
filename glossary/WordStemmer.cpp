#include "glossary/TermMatcher.h"
