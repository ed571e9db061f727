// The run-time's small services: a case-blind search, the leading number of
// a text and the file test, on real files in a temporary folder.

#include "platform/FuncionesBasicas.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

TEST(NumeroInicial, LeeElNumeroDelComienzoConPuntoDecimal) {
    const struct {
        const char* texto;
        double numero;
    } casos[] = {
        {"250", 250},       {" 250 filas", 250}, {"99.6 filas", 99.6}, {".5", 0.5},
        {"5.", 5},          {"-3", -3},          {"+2", 2},            {"1,5", 1},
        {"muchas", 0},      {"", 0},             {"- 3", 0},           {"\t12", 12},
    };
    for (const auto& c : casos)
        EXPECT_DOUBLE_EQ(plataforma::numeroInicial(QString::fromLatin1(c.texto)), c.numero) << c.texto;
}

TEST(ContieneYEsIgual, SinDistinguirMayusculas) {
    EXPECT_TRUE(plataforma::contiene(QStringLiteral("SELECT * FROM T Order By A"), QStringLiteral("order by")));
    EXPECT_TRUE(plataforma::contiene(QStringLiteral("Año"), QStringLiteral("AÑO")));
    EXPECT_FALSE(plataforma::contiene(QStringLiteral("SELECT * FROM T"), QStringLiteral("where")));
    EXPECT_TRUE(plataforma::esIgual(QStringLiteral("IdFamilia"), QStringLiteral("IDFAMILIA")));
    EXPECT_FALSE(plataforma::esIgual(QStringLiteral("IdFamilia "), QStringLiteral("IDFAMILIA")));
}

TEST(ExisteArchivo, SoloUnArchivoQueSePuedeLeer) {
    QTemporaryDir carpeta;
    ASSERT_TRUE(carpeta.isValid());
    const QString archivo = carpeta.filePath(QStringLiteral("BASES.TXT"));
    {
        QFile f(archivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("EMPRESA,EMP,u,ABCD,SRV\r\n");
    }
    const struct {
        QString ruta;
        bool existe;
    } casos[] = {
        {archivo, true},
        {QLatin1Char('"') + archivo + QLatin1Char('"'), true},  // quotes do not count
        {carpeta.filePath(QStringLiteral("consultas.qzt")), false},
        {carpeta.path(), false},  // a folder is not a file
        {QString(), false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(plataforma::ExisteArchivo(c.ruta), c.existe) << c.ruta.toStdString();
}

TEST(ExisteArchivo, UnArchivoQueNoSePuedeLeerNoCuenta) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    QTemporaryDir carpeta;
    const QString archivo = carpeta.filePath(QStringLiteral("QZERR.LOG"));
    {
        QFile f(archivo);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QFile::setPermissions(archivo, QFileDevice::WriteOwner);
    EXPECT_FALSE(plataforma::ExisteArchivo(archivo));
}

}  // namespace
