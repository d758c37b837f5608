#pragma once
#include "platform/form.h"
class diaLength : public platform::Form {
public:
    diaLength() : Form(QStringLiteral("diaLength")) {}
protected:
    void build(QMainWindow*) override {}
};
