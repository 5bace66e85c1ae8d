#pragma once

#include "framework/Session.h"
#include "framework/UniKernix.h"
#include "framework/UniTabPadroes.h"
#include "storage/Table.h"
#include "testsupport/ScriptedMessages.h"
#include "testsupport/TempInstallation.h"

#include <memory>

// A new installation with the global data module running and MASTER logged
// in, for the tests of the register windows' helpers.
struct RegisterTestInstallation
{
    TempInstallation inst;
    std::unique_ptr<TTabPadroes> global;

    bool start()
    {
        if (!inst.initData())
            return false;
        Session::reset();
        SessionValues &s = Session::values();
        s.ExeDir = inst.exeDir();
        s.ProgramDir = inst.dataRoot();
        ScriptedMessages startUp;
        global = std::make_unique<TTabPadroes>();
        if (!global->create())
            return false;
        s.OperatorName = QStringLiteral("MASTER");
        s.OperatorPassword = Kernix::Converte(QStringLiteral("ZELNOK"), 8).left(8);
        s.OperatorCode = 1;
        return true;
    }
    ~RegisterTestInstallation()
    {
        global.reset();
        Session::reset();
    }
    void addCompany(int code, const QString &name, const QString &city = {}, const QString &mail = {})
    {
        Table &t = global->TbEmp;
        t.append();
        t.setValue(QStringLiteral("cod_emp"), code);
        t.setValue(QStringLiteral("nom_emp"), name);
        t.setValue(QStringLiteral("cid_emp"), city);
        t.setValue(QStringLiteral("ema_emp"), mail);
        t.post();
    }
};
