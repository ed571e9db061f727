#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <vector>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace plataforma { class Dialogos; }
namespace sesion { class Global; }

namespace conciliacion {

// The dialog "Apertura Momentanea": shows the reconciliation, who opens it
// from which machine and when, asks for the reason and, on acceptance, writes
// the opening record and the state change in one database transaction.
//
// The caller fills the three value labels (preparar does it from a list
// row), shows the dialog modally and reads Abierta() after it is hidden; a
// fresh dialog serves every opening. Controls carry their suite names as
// objectName (lblConc, lblUser, lblFecha, TXTMOTIVO, cmdAceptar, cmdCancelar).
class FrmConcOpen : public QDialog {
    Q_OBJECT
public:
    FrmConcOpen(sesion::Global& global, plataforma::Dialogos& dialogos, QWidget* padre = nullptr);

    // True only once the opening was committed.
    bool Abierta() const { return abierta_; }

    // What the header held when the database refused the opening because
    // the reconciliation was no longer finalised (another workstation opened,
    // deleted or renumbered it after the list was loaded).
    enum class Cabecera { SinLeer, Finalizada, NoFinalizada, Inexistente };
    Cabecera cabeceraLeida() const { return cabecera_; }

    // Fills the value labels for a list row: its identifier in the stored
    // code form, its account and the account's description.
    void preparar(const QString& identificador, const QString& cuenta, const QString& descripcion);

    QLabel& lblConc() const { return *lblConc_; }
    QLabel& lblUser() const { return *lblUser_; }
    QLabel& lblFecha() const { return *lblFecha_; }

    // The identifier in its stored form that the opening will write: the
    // row's own when the label still shows it, otherwise the label's text in
    // front of its first "-".
    QString identificador() const;

    // The current date and time as the workstation writes them.
    static QString fechaHoraActual();

public Q_SLOTS:
    void cmdAceptar_Click();
    void cmdCancelar_Click();

    // Lays the controls out on the design's places, moved and grown where
    // the font or the texts need more room. The dialog does it itself when
    // it is shown, filled or given another font.
    void acomodar();

protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void changeEvent(QEvent* evento) override;

private:
    // One caption with its value; tops in twips as the design has them.
    struct Fila {
        QLabel* rotulo;
        QLabel* valor;
        int arribaRotulo;
        int arribaValor;
    };

    void crearControles();
    QLabel* rotulo(const QString& nombre, const QString& texto, bool negrita);
    QFrame* linea(const QString& nombre);

    // acomodar's pieces.
    int izquierdaDeLosValores() const;
    static int colocarFila(const Fila& fila, int izquierdaValores, int anchoValores, int bajada);
    static void colocarLinea(QFrame& linea, int arriba);
    QSize tamanoDeBoton() const;

    // cmdAceptar's pieces.
    QString lote(const QString& id) const;
    QString motivo() const;
    bool escribirApertura(const QString& id);
    QString primerError() const;
    void fallaDeApertura(const QString& descripcion);
    bool faltaLaReferencia() const;
    void rechazarApertura(const QString& id);
    Cabecera leerCabecera(const QString& id);

    sesion::Global& global_;
    plataforma::Dialogos& dialogos_;
    bool abierta_ = false;
    Cabecera cabecera_ = Cabecera::SinLeer;
    QString idConc_;

    QLabel* Label5_ = nullptr;
    QLabel* Label4_ = nullptr;
    std::array<Fila, 3> filas_{};
    std::vector<QFrame*> lineas_;
    QLabel* lblConc_ = nullptr;
    QLabel* lblUser_ = nullptr;
    QLabel* lblFecha_ = nullptr;
    QPlainTextEdit* TXTMOTIVO_ = nullptr;
    QPushButton* cmdAceptar_ = nullptr;
    QPushButton* cmdCancelar_ = nullptr;
};

}  // namespace conciliacion
