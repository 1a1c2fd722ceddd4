#include "data/DataModule_Versao.h"

TdmVersao::TdmVersao(Conexao& c) : SQLQ_Versao(c) {}

std::optional<QString> TdmVersao::numero()
{
    SQLQ_Versao.setSql(QStringLiteral("Select * From Versao"));
    const Resultado r = SQLQ_Versao.abre(nullptr, 1);
    if (r.vazio())
        return std::nullopt;
    return r.valor(0, QStringLiteral("Numero")).toString();
}

qint64 TdmVersao::grava(Transacao& t, const QString& numero)
{
    SQLQ_Versao.setSql(QStringLiteral("Update Versao SET numero=:NumeroC"));
    SQLQ_Versao.setParametro(QStringLiteral("NumeroC"), numero);
    return SQLQ_Versao.executa(t);
}
