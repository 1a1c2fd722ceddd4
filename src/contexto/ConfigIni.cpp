#include "contexto/ConfigIni.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace ConfigIni {

namespace {

const QString nomePadrao = QStringLiteral("Config.ini");

QDir diretorio(const QString& pasta)
{
    return QDir(pasta.isEmpty() ? QDir::currentPath() : pasta);
}

QString decodifica(const QByteArray& bytes, bool* emUtf8)
{
    // Files written on the old workstations are Latin-1; accept UTF-8 where it is valid.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString texto = utf8.decode(bytes);
    *emUtf8 = !utf8.hasError();
    if (utf8.hasError())
        texto = QString::fromLatin1(bytes);
    return texto;
}

bool ehSecao(const QString& linha, QString* nome)
{
    const QString t = linha.trimmed();
    if (!t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')))
        return false;
    *nome = t.mid(1, t.size() - 2).trimmed();
    return true;
}

bool ehChave(const QString& linha, const QString& chave, QString* valor)
{
    const int igual = int(linha.indexOf(QLatin1Char('=')));
    if (igual < 0 || linha.left(igual).trimmed().compare(chave, Qt::CaseInsensitive) != 0)
        return false;
    if (valor)
        *valor = linha.mid(igual + 1).trimmed();
    return true;
}

QStringList linhas(const QString& caminho, bool* emUtf8 = nullptr)
{
    bool utf8 = false;
    if (emUtf8)
        *emUtf8 = false;
    QFile f(caminho);
    if (caminho.isEmpty() || !f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    QString texto = decodifica(bytes, &utf8);
    // Pure ASCII reads the same either way; only a file with UTF-8 accents stays UTF-8.
    if (emUtf8)
        *emUtf8 = utf8 && texto.size() != bytes.size();
    texto.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList r = texto.split(QLatin1Char('\n'));
    if (!r.isEmpty() && r.last().isEmpty())
        r.removeLast();
    return r;
}

} // namespace

QString arquivo(const QString& pasta)
{
    const QDir d = diretorio(pasta);
    const QStringList nomes = d.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& nome : nomes)
        if (nome.compare(nomePadrao, Qt::CaseInsensitive) == 0)
            return d.filePath(nome);
    return QString();
}

bool existe(const QString& pasta)
{
    return !arquivo(pasta).isEmpty();
}

namespace {

bool ehDaSecao(const QString& secao, const char* nome)
{
    return secao.compare(QLatin1String(nome), Qt::CaseInsensitive) == 0;
}

// The value of `chave` in section `secaoProcurada`; null when the key or the file is missing.
QString le(const char* secaoProcurada, const char* chave, const QString& pasta)
{
    QString secao;
    QString valor;
    for (const QString& linha : linhas(arquivo(pasta))) {
        QString nome;
        if (ehSecao(linha, &nome))
            secao = nome;
        else if (ehDaSecao(secao, secaoProcurada) && ehChave(linha, QLatin1String(chave), &valor))
            return valor;
    }
    return QString();
}

// Writes `chave` of section `secaoAlvo`, keeping every other line of an existing file.
bool grava(const char* secaoAlvo, const char* chave, const QString& valor, const QString& pasta)
{
    QString caminho = arquivo(pasta);
    if (caminho.isEmpty())
        caminho = diretorio(pasta).filePath(nomePadrao);

    QStringList saida;
    QString secao;
    bool gravado = false;
    bool achouSecao = false;
    const QString linhaNova = QLatin1String(chave) + QLatin1Char('=') + valor;
    bool emUtf8 = false;
    for (const QString& linha : linhas(caminho, &emUtf8)) {
        QString nome;
        if (ehSecao(linha, &nome)) {
            // Leaving the section without having seen the key: add it at its end.
            if (!gravado && ehDaSecao(secao, secaoAlvo)) {
                saida << linhaNova;
                gravado = true;
            }
            secao = nome;
            achouSecao = achouSecao || ehDaSecao(nome, secaoAlvo);
            saida << linha;
            continue;
        }
        if (ehDaSecao(secao, secaoAlvo) && ehChave(linha, QLatin1String(chave), nullptr)) {
            if (!gravado)
                saida << linhaNova;
            gravado = true;
            continue;
        }
        saida << linha;
    }
    if (!gravado) {
        if (!achouSecao)
            saida << QLatin1Char('[') + QLatin1String(secaoAlvo) + QLatin1Char(']');
        saida << linhaNova;
    }

    QSaveFile f(caminho);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QString texto = saida.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
    // Latin-1 is what the other workstations' programs read; a file someone saved as UTF-8
    // keeps its encoding, so its other lines are not garbled.
    f.write(emUtf8 ? texto.toUtf8() : texto.toLatin1());
    return f.commit();
}

} // namespace

QString lePasta(const QString& pasta)
{
    return le("PASTA", "PATH", pasta);
}

bool gravaPasta(const QString& valor, const QString& pasta)
{
    return grava("PASTA", "PATH", valor, pasta);
}

bool mostraAvisos(const QString& pasta)
{
    return le("AVISOS", "MOSTRAR", pasta)
               .trimmed()
               .compare(QLatin1String("N"), Qt::CaseInsensitive) != 0;
}

bool gravaMostraAvisos(bool mostra, const QString& pasta)
{
    return grava("AVISOS", "MOSTRAR", QLatin1String(mostra ? "S" : "N"), pasta);
}

bool apaga(const QString& pasta)
{
    const QString caminho = arquivo(pasta);
    return caminho.isEmpty() || QFile::remove(caminho);
}

} // namespace ConfigIni
