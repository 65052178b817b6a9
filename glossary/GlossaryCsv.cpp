#include "glossary/Glossary.h"
