#pragma once

#include "app/Aplicacao.h"
#include "app/Principal.h"
#include "support/BancoTeste.h"
#include "support/Cadastro.h"
#include "support/DriverModal.h"
#include "support/GravadorMensagens.h"
#include "support/Tela.h"

#include <QtTest>

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

    // Login and permissions on, the audit log off, and `usuario` logged in, allowed every module
    // of `modulos` but `recusado`.
    void comPermissoes(const char* usuario, const QStringList& modulos, const QString& recusado)
    {
        flags("S", "S", "N");
        principal().CodUsuario = QLatin1String(usuario);
        Cadastro::permissoes(banco, QLatin1String(usuario), modulos, recusado);
    }

    // Login and the audit log on, permissions off, and `usuario` logged in: every save writes
    // its audit line.
    void comAuditoria(const char* usuario)
    {
        flags("S", "N", "S");
        principal().CodUsuario = QLatin1String(usuario);
    }

    // The three ways the login and audit-log flags can stand, as the rows of a test's data:
    // columns "login" and "log" (the flags) and "registra" (whether a save writes its line).
    static void tabelaDeAuditoria()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("log");
        QTest::addColumn<bool>("registra");
        QTest::newRow("both on") << QStringLiteral("S") << QStringLiteral("S") << true;
        QTest::newRow("log without login") << QStringLiteral("N") << QStringLiteral("S") << false;
        QTest::newRow("login without log") << QStringLiteral("S") << QStringLiteral("N") << false;
    }
    // Sets the flags of the running row of that table (permissions off) and logs `usuario` in.
    void auditoriaDaLinha(const char* usuario)
    {
        QFETCH(QString, login);
        QFETCH(QString, log);
        flags(qPrintable(login), "N", qPrintable(log));
        principal().CodUsuario = QLatin1String(usuario);
    }

    BancoTeste banco;
    Aplicacao app;
};

// What a test of a window needs: the program on a fresh database, every message it shows
// recorded, and its modal windows driven by the test.
class TelaTeste : public AplicacaoTeste {
public:
    GravadorMensagens msgs;
    DriverModal driver;

    // Runs a main-menu item; the window it opens takes `passos`.
    void abre(const char* item, DriverModal::Passos passos)
    {
        Tela::abreMenu(principal(), driver, item, std::move(passos));
    }
};
