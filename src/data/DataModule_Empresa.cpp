#include "data/DataModule_Empresa.h"

TdmEmpresa::TdmEmpresa(Conexao& c) : SQLQ_Empresa(c) {}

std::optional<DadosEmpresa> TdmEmpresa::dados()
{
    SQLQ_Empresa.setSql(QStringLiteral("Select * From EMPRESA"));
    const Resultado r = SQLQ_Empresa.abre();
    if (r.vazio())
        return std::nullopt;
    const auto coluna = [&](const char* nome) {
        const int c = r.coluna(QLatin1String(nome));
        return c < 0 ? QString() : r.valor(0, c).toString();
    };
    DadosEmpresa d;
    d.nome = coluna("EMP_Nome");
    d.cnpj = coluna("EMP_CNPJ");
    d.inscricao = coluna("EMP_Insc");
    d.endereco = coluna("EMP_Ender");
    d.bairro = coluna("EMP_Bairro");
    d.cidade = coluna("EMP_Cidade");
    d.uf = coluna("EMP_UF");
    d.telefone = coluna("EMP_Fone");
    d.fax = coluna("EMP_Fax");
    d.email = coluna("EMP_Email");
    d.homePage = coluna("EMP_HomeP");
    d.observacoes = coluna("EMP_Obs");
    return d;
}

qint64 TdmEmpresa::grava(Transacao& t, const DadosEmpresa& d)
{
    Consulta& q = SQLQ_Empresa;
    q.limpa();
    q.adiciona(QStringLiteral("Update Empresa SET EMP_Nome=:NomeC, EMP_INSC=:InscC,"));
    q.adiciona(QStringLiteral("EMP_Ender=:EnderC, EMP_Bairro=:BairroC,EMP_Cidade=:CidadeC,"));
    q.adiciona(
        QStringLiteral("EMP_UF=:UFC, EMP_Fone=:FoneC, EMP_Email=:EmailC,EMP_HomeP=:HomePC,"));
    q.adiciona(QStringLiteral("EMP_FAX=:FAXC, EMP_OBS=:OBSC Where EMP_Codigo=:CodigoC"));
    q.setParametro(QStringLiteral("NomeC"), d.nome);
    q.setParametro(QStringLiteral("InscC"), d.inscricao);
    q.setParametro(QStringLiteral("EnderC"), d.endereco);
    q.setParametro(QStringLiteral("BairroC"), d.bairro);
    q.setParametro(QStringLiteral("CidadeC"), d.cidade);
    q.setParametro(QStringLiteral("UFC"), d.uf);
    q.setParametro(QStringLiteral("FoneC"), d.telefone);
    q.setParametro(QStringLiteral("EmailC"), d.email);
    q.setParametro(QStringLiteral("HomePC"), d.homePage);
    q.setParametro(QStringLiteral("FAXC"), d.fax);
    q.setParametro(QStringLiteral("OBSC"), d.observacoes);
    q.setParametro(QStringLiteral("CodigoC"), QStringLiteral("001"));
    return q.executa(t);
}
