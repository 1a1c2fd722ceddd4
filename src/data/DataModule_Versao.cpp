#include "data/DataModule_Versao.h"

QString TdmVersao::numero()
{
    SQLQ_Versao.setSql(QStringLiteral("Select * From Versao"));
    const Resultado r = SQLQ_Versao.abre(nullptr, 1);
    return r.vazio() ? QString() : r.valor(0, QStringLiteral("Numero")).toString();
}

qint64 TdmVersao::grava(Transacao& t, const QString& numero)
{
    SQLQ_Versao.setSql(QStringLiteral("Update Versao SET numero=:NumeroC"));
    SQLQ_Versao.setParametro(QStringLiteral("NumeroC"), numero);
    return SQLQ_Versao.executa(t);
}
