#pragma once

// QScintilla's headers spell Qt's lower-case keywords, which this program switches off because
// they clash with names of the layers below; they see them only while they are read.
#define slots Q_SLOTS
#define signals Q_SIGNALS
#include <Qsci/qscilexercustom.h>
#include <Qsci/qsciprinter.h>
#include <Qsci/qsciscintilla.h>
#undef signals
#undef slots
