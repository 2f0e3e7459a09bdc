#include "PaginaPadrao.h"

#include "declfile/GravaDeclaracao.h"

namespace zovi::relatorios {

QString NomeDeclaracao() { return QStringLiteral("ZOVI"); }

QString NomeCompletoDeclaracao() { return QStringLiteral("Declaração Anual de Vínculos Empregatícios"); }

QString LinhaVersao(const QString& versao) {
    return QStringLiteral("GDZOVI - Gerador de Declaração ZOVI - Versão: ") + versao;
}

QString OrgaoEmissor() { return QStringLiteral("Coordenação Nacional da Declaração ZOVI"); }

Expressao DataImpressao() {
    return [](const Contexto& c) {
        return QStringLiteral("Impresso em %1 às %2")
            .arg(c.Impressao().toString(QStringLiteral("dd/MM/yyyy")), c.Impressao().toString(QStringLiteral("hh:mm")));
    };
}

QString VersaoPrograma() { return QString::fromLatin1(kVersaoPrograma); }

}  // namespace zovi::relatorios
