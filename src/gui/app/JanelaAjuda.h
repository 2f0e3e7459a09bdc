#pragma once
// The help window: HTML pages shipped in the "ajuda" folder beside the
// program, with a contents list, a keyword index and pages found by number.
//
// The folder's "topicos.txt" lists one topic a line, in contents order:
//   number|page file|title|keyword;keyword;...
// The command table's help context numbers are topic numbers.
#include <QMap>
#include <QString>
#include <QUrl>
#include <QVector>
#include <QWidget>

#include <memory>

namespace Ui {
class JanelaAjuda;
}

namespace zovi::gui {

class JanelaAjuda : public QWidget {
    Q_OBJECT
public:
    explicit JanelaAjuda(const QString& pasta, QWidget* pai = nullptr);
    ~JanelaAjuda() override;

    // The folder shipped beside the program.
    static QString PastaDoPrograma();

    // Opens the window on its contents and index, at the first topic.
    void MostraConteudo();
    // Opens the page of a topic number, at the entry named `ancora` when given; an unknown
    // number opens the contents.
    void MostraTopico(int numero, const QString& ancora = {});

    int TopicoAtual() const { return atual_; }
    int NumTopicos() const { return topicos_.size(); }
    Ui::JanelaAjuda& Interface() { return *ui_; }

private:
    struct Topico {
        int numero;
        QString arquivo;
        QString titulo;
    };
    void Carrega();
    void Abre(int indice, const QString& ancora = {});
    void Exibe();
    void Acompanha(const QUrl& pagina);
    void FiltraIndice(const QString& texto);

    std::unique_ptr<Ui::JanelaAjuda> ui_;
    QString pasta_;
    QVector<Topico> topicos_;
    QMultiMap<QString, int> indice_;  // keyword (lower case) -> topic position
    int atual_ = 0;
};

}  // namespace zovi::gui
