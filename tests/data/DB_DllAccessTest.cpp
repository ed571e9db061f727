#include "BaseDePrueba.h"

#include "data/DialogoArchivo.h"
#include "platform/ui/Dialogos.h"

#include <QFile>

namespace {

namespace estilo = plataforma::estilo;
using datos::DB_Dll;

// The file-open dialog as the user answers it.
class ArchivoGuionado : public datos::DialogoArchivo {
public:
    QString abrirArchivo(const QString& titulo, const QString& filtro) override {
        pedidos << titulo + u'|' + filtro;
        return respuestas.isEmpty() ? QString() : respuestas.takeFirst();
    }
    QStringList respuestas;
    QStringList pedidos;
};

// Access files through the Jet provider's stand-in driver.
class BaseAccess : public BaseDePrueba {
protected:
    void SetUp() override {
        BaseDePrueba::SetUp();
        controlador_ = qgetenv("QUINTARO_DRIVER_ACCESS");
        qputenv("QUINTARO_DRIVER_ACCESS", "SQLite3");
        sesion.CmdDlg = &archivo;
        sesion.gProveedor = DB_Dll::pJETOLEDB40();
    }
    void TearDown() override {
        if (controlador_.isNull())
            qunsetenv("QUINTARO_DRIVER_ACCESS");
        else
            qputenv("QUINTARO_DRIVER_ACCESS", controlador_);
        BaseDePrueba::TearDown();
    }
    QString pedido() const { return QStringLiteral("Buscar Base de Datos|Base de Datos de Microsoft Access |*.MDB"); }

    ArchivoGuionado archivo;
    DB_Dll sesion{dialogos};
    QByteArray controlador_;
};

TEST_F(BaseAccess, SinArchivoLoPideYCancelarNoAbreNada) {
    sesion.OpenLocalADODB();
    EXPECT_EQ(archivo.pedidos, QStringList{pedido()});
    EXPECT_EQ(sesion.gCnn().State(), ado::estado::Cerrado);
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_F(BaseAccess, UnArchivoInexistenteSePideDeNuevo) {
    sesion.gDBName = carpeta.filePath("falta.mdb");
    archivo.respuestas << carpeta.filePath("tampoco.mdb");  // then cancel
    sesion.OpenLocalADODB();
    EXPECT_EQ(archivo.pedidos, QStringList({pedido(), pedido()}));
    EXPECT_EQ(sesion.gDBName, carpeta.filePath("tampoco.mdb"));
    EXPECT_EQ(sesion.gCnn().State(), ado::estado::Cerrado);
    EXPECT_TRUE(dialogos.mensajes().empty());
}

TEST_F(BaseAccess, OtraFallaSeMuestraConNumeroYDescripcion) {
    qputenv("QUINTARO_DRIVER_ACCESS", "no instalado");
    sesion.gDBName = carpeta.filePath("base.mdb");
    QFile vacio(sesion.gDBName);
    ASSERT_TRUE(vacio.open(QIODevice::WriteOnly));
    vacio.close();
    sesion.OpenLocalADODB();
    ASSERT_EQ(dialogos.mensajes().size(), 1u);
    ASSERT_GT(sesion.gCnn().errors().Count(), 0);
    const ado::Error& error = sesion.gCnn().errors().Item(0);
    EXPECT_EQ(dialogos.mensajes()[0].texto, QString::number(error.Number) + "  " + error.Description);
    EXPECT_EQ(dialogos.mensajes()[0].estilo, estilo::SoloAceptar | estilo::Critico);
    EXPECT_TRUE(archivo.pedidos.isEmpty());
}

}  // namespace
