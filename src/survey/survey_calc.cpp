#include "survey/survey_calc.h"
