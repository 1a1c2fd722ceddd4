#include "access/CodigoUsuario.h"

#include "app/Aplicacao.h"
#include "data/DataModule_Usuarios.h"

#include <QLineEdit>

#include <optional>

CampoCodigo::Regras regrasDoUsuario(Aplicacao& app, QLineEdit* login, QLineEdit* nome,
                                    const QString& naoEncontrado)
{
    CampoCodigo::Regras regras;
    regras.largura = 6;
    regras.preenchimento = QLatin1Char('0');
    regras.procura = [&app, login, nome](const QString& codigo) {
        const std::optional<DadosUsuario> u = app.dmUsuarios().usuario(codigo);
        if (u) {
            login->setText(u->login);
            nome->setText(u->nome);
        }
        return u.has_value();
    };
    regras.naoEncontrado = naoEncontrado;
    regras.tipo = TipoMensagem::Erro;
    regras.esvaziaAoRecusar = true;
    regras.limpaAoRecusar = {login, nome};
    return regras;
}
