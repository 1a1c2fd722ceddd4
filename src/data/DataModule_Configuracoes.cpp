#include "data/DataModule_Configuracoes.h"

TdmConfiguracoes::TdmConfiguracoes(Conexao& c) : SQLQ_Configuracoes(c)
{
    SQLQ_Configuracoes.setSql(QStringLiteral("Select * From Configuracoes"));
}

std::optional<Configuracoes> TdmConfiguracoes::configuracoes()
{
    const Resultado r = SQLQ_Configuracoes.abre(nullptr, 1);
    if (r.vazio())
        return std::nullopt;
    return Configuracoes{r.valor(0, QStringLiteral("LOGIN")).toString(),
                         r.valor(0, QStringLiteral("Permissao")).toString(),
                         r.valor(0, QStringLiteral("Log")).toString()};
}
