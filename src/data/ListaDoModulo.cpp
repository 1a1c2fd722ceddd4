#include "data/ListaDoModulo.h"

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

ListaDoModulo listaDoModulo(Consulta& consulta, DataSet& dados, const QStringList& sqls)
{
    ListaDoModulo lista;
    lista.dados = &dados;
    lista.ordens = int(sqls.size());
    lista.abre = [&consulta, &dados, sqls](int ordem) {
        consulta.setSql(sqls.at(ordem));
        dados.abre(consulta);
    };
    lista.rele = [&consulta, &dados] { dados.abre(consulta); };
    return lista;
}
