#pragma once

#include "app/Aplicacao.h"
#include "app/Principal.h"
#include "support/BancoTeste.h"

// A program started on a fresh database, as far as the main window: the connection open, the
// data modules and the main window made. The main window's first-showing step has not run;
// tests set the flags they need or run it themselves.
class AplicacaoTeste {
public:
    AplicacaoTeste()
    {
        app.conexao().configuraEAbre(banco.pasta());
        app.criaTudo();
    }

    TfPrincipal& principal() { return app.principal(); }

    // Sets the three access flags as the first showing would have read them.
    void flags(const char* login, const char* permissao, const char* log)
    {
        principal().FlagLogin = QLatin1String(login);
        principal().FlagPermissao = QLatin1String(permissao);
        principal().FlagLog = QLatin1String(log);
    }

    BancoTeste banco;
    Aplicacao app;
};
