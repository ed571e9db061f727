-- ZANTAR_DEMO on PostgreSQL: the sample rows of Distribuidora del Litoral
-- S.A., a wholesaler in Rosario, the same as the embedded engine's copy
-- (demo/empresa-datos.sql). They show every state the program knows:
-- finalised, open (0 and NULL), momentarily open, reopened and closed again,
-- with and without periods, bank (BCO) and account (CTA) reconciliations.

-- Chart of accounts, 1.1.09.98 and 1.1.09.99 have no description (empty and
-- NULL), salaries are confidential.
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL) VALUES ('1.1.01.01', 'Caja', 1, 'A', 0);
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL) VALUES ('1.1.01.02', 'Fondo fijo', 1, 'A', 0);
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL) VALUES ('1.1.02.01', 'Banco Nación cuenta corriente', 1, 'A', 0);
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL) VALUES ('1.1.02.02', 'Banco Galicia cuenta corriente', 1, 'A', 0);
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL) VALUES ('1.1.02.03', 'Banco Provincia caja de ahorro', 1, 'A', 0);
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL) VALUES ('1.1.03.01', 'Valores a depositar', 1, 'A', 0);
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL) VALUES ('1.1.04.01', 'Deudores por ventas', 1, 'A', 0);
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL) VALUES ('1.1.04.99', 'Consumidor final', 1, 'A', 0);
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL) VALUES ('1.1.09.98', '', 1, 'A', 0);
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL) VALUES ('1.1.09.99', NULL, 1, 'A', 0);
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL) VALUES ('2.1.01.01', 'Proveedores', 1, 'P', 0);
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL) VALUES ('2.1.02.01', 'Acreedores varios', 1, 'P', 0);
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL) VALUES ('2.1.03.01', 'Sueldos a pagar', 1, 'P', 1);
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL) VALUES ('3.1.01.01', 'Capital social', 1, 'N', 0);
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL) VALUES ('4.1.01.01', 'Ventas', 1, 'R', 0);
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL) VALUES ('5.1.01.01', 'Gastos bancarios', 1, 'R', 0);
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMPUTABLE, TIPO, CONFIDENCIAL) VALUES ('5.1.02.01', 'Sueldos y jornales', 1, 'R', 1);

-- Journal lines.
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (1, 1, '2023-12-31', '1.1.01.01', 'Saldos al cierre del ejercicio', 15000.0000, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (1, 2, '2023-12-31', '1.1.02.01', 'Saldos al cierre del ejercicio', 850000.0000, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (1, 3, '2023-12-31', '1.1.02.02', 'Saldos al cierre del ejercicio', 912450.7500, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (1, 4, '2023-12-31', '1.1.02.03', 'Saldos al cierre del ejercicio', 120000.0000, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (1, 5, '2023-12-31', '1.1.04.01', 'Saldos al cierre del ejercicio', 410300.0000, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (1, 6, '2023-12-31', '2.1.01.01', 'Saldos al cierre del ejercicio', 520000.0000, 'H');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (1, 7, '2023-12-31', '2.1.02.01', 'Saldos al cierre del ejercicio', 45000.0000, 'H');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (1, 8, '2023-12-31', '3.1.01.01', 'Saldos al cierre del ejercicio', 1742750.7500, 'H');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (17, 1, '2024-01-03', '1.1.04.01', 'Ventas a crédito de la primera quincena', 600000.0000, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (17, 2, '2024-01-03', '4.1.01.01', 'Ventas a crédito de la primera quincena', 600000.0000, 'H');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (2, 1, '2024-01-05', '1.1.02.01', 'Cobranza Supermercados del Paraná', 185400.5000, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (2, 2, '2024-01-05', '1.1.04.01', 'Cobranza Supermercados del Paraná', 185400.5000, 'H');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (3, 1, '2024-01-12', '2.1.01.01', 'Pago a Papelera Rosarina, cheque 40211', 96300.0000, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (3, 2, '2024-01-12', '1.1.02.01', 'Pago a Papelera Rosarina, cheque 40211', 96300.0000, 'H');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (4, 1, '2024-01-31', '5.1.01.01', 'Comisiones y gastos bancarios de enero', 4820.3300, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (4, 2, '2024-01-31', '1.1.02.01', 'Comisiones y gastos bancarios de enero', 4820.3300, 'H');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (5, 1, '2024-01-31', '5.1.02.01', 'Sueldos de enero', 980000.0000, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (5, 2, '2024-01-31', '2.1.03.01', 'Sueldos de enero', 980000.0000, 'H');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (6, 1, '2024-02-05', '2.1.03.01', 'Pago de sueldos de enero', 980000.0000, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (6, 2, '2024-02-05', '1.1.02.02', 'Pago de sueldos de enero', 980000.0000, 'H');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (7, 1, '2024-02-09', '1.1.02.02', 'Depósito de valores', 250000.0000, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (7, 2, '2024-02-09', '1.1.03.01', 'Depósito de valores', 250000.0000, 'H');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (8, 1, '2024-02-08', '1.1.03.01', 'Cobranza Almacén Don Pepe', 250000.0000, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (8, 2, '2024-02-08', '1.1.04.01', 'Cobranza Almacén Don Pepe', 250000.0000, 'H');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (9, 1, '2024-02-20', '2.1.01.01', 'Pago a Distribuidora Norte, transferencia', 143250.2500, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (9, 2, '2024-02-20', '1.1.02.01', 'Pago a Distribuidora Norte, transferencia', 143250.2500, 'H');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (10, 1, '2024-03-08', '1.1.02.03', 'Intereses plazo fijo caja de ahorro', 3150.1200, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (10, 2, '2024-03-08', '4.1.01.01', 'Intereses plazo fijo caja de ahorro', 3150.1200, 'H');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (11, 1, '2024-03-14', '5.1.01.01', 'Factura Papelera Rosarina A-0003-00001542', 65000.0000, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (11, 2, '2024-03-14', '2.1.01.01', 'Factura Papelera Rosarina A-0003-00001542', 65000.0000, 'H');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (12, 1, '2024-03-22', '1.1.02.01', 'Cobranza Supermercados del Paraná', 220000.0000, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (12, 2, '2024-03-22', '1.1.04.01', 'Cobranza Supermercados del Paraná', 220000.0000, 'H');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (13, 1, '2024-04-03', '1.1.01.01', 'Ventas de contado', 57800.0000, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (13, 2, '2024-04-03', '4.1.01.01', 'Ventas de contado', 57800.0000, 'H');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (14, 1, '2024-04-10', '2.1.02.01', 'Reintegro de gastos a Acreedores varios', 12000.0000, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (14, 2, '2024-04-10', '1.1.02.01', 'Reintegro de gastos a Acreedores varios', 12000.0000, 'H');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (15, 1, '2024-04-30', '5.1.01.01', 'Comisiones y gastos bancarios de abril', 5210.8000, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (15, 2, '2024-04-30', '1.1.02.01', 'Comisiones y gastos bancarios de abril', 5210.8000, 'H');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (16, 1, '2024-05-06', '1.1.02.01', 'Cobranza Almacén Don Pepe', 98000.0000, 'D');
INSERT INTO MV_ASIENTOS (NUMERO, RENGLON, FECHA, CUENTA, DETALLE, IMPORTE, "DEBE-HABER") VALUES (16, 2, '2024-05-06', '1.1.04.01', 'Cobranza Almacén Don Pepe', 98000.0000, 'H');

-- Reconciliations. States: finalised 1 2 5 7 8 11 12 15 16, open with 0:
-- 6 13 14, open with NULL: 4 10, momentarily open: 3 9. Account of 5 and 6
-- carries trailing blanks, 10 has no period, 11 only a start date, 7 two
-- periods.
INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, Cuenta, Fecha, Observaciones, FechaDesde, FechaHasta, fechadesde2, fechahasta2, Tipo, Finalizada) VALUES ('              1', '1.1.02.01', '2024-02-02', 'Enero conciliado sin diferencias', '2024-01-01', '2024-01-31', NULL, NULL, 'BCO', 1);
INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, Cuenta, Fecha, Observaciones, FechaDesde, FechaHasta, fechadesde2, fechahasta2, Tipo, Finalizada) VALUES ('              2', '1.1.02.01', '2024-03-04', 'Febrero; se corrigió un depósito', '2024-02-01', '2024-02-29', NULL, NULL, 'BCO', 1);
INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, Cuenta, Fecha, Observaciones, FechaDesde, FechaHasta, fechadesde2, fechahasta2, Tipo, Finalizada) VALUES ('              3', '1.1.02.01', '2024-04-03', 'Marzo', '2024-03-01', '2024-03-31', NULL, NULL, 'BCO', 0);
INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, Cuenta, Fecha, Observaciones, FechaDesde, FechaHasta, fechadesde2, fechahasta2, Tipo, Finalizada) VALUES ('              4', '1.1.02.01', '2024-05-02', 'Abril, en curso', '2024-04-01', '2024-04-30', NULL, NULL, 'BCO', NULL);
INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, Cuenta, Fecha, Observaciones, FechaDesde, FechaHasta, fechadesde2, fechahasta2, Tipo, Finalizada) VALUES ('              5', '1.1.02.02   ', '2024-02-05', 'Enero Galicia', '2024-01-01', '2024-01-31', NULL, NULL, 'BCO', 1);
INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, Cuenta, Fecha, Observaciones, FechaDesde, FechaHasta, fechadesde2, fechahasta2, Tipo, Finalizada) VALUES ('              6', '1.1.02.02   ', '2024-03-06', 'Febrero Galicia, falta extracto', '2024-02-01', '2024-02-29', NULL, NULL, 'BCO', 0);
INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, Cuenta, Fecha, Observaciones, FechaDesde, FechaHasta, fechadesde2, fechahasta2, Tipo, Finalizada) VALUES ('              7', '1.1.02.03', '2024-04-08', 'Primer trimestre, dos tramos', '2024-01-01', '2024-02-15', '2024-02-16', '2024-03-31', 'BCO', 1);
INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, Cuenta, Fecha, Observaciones, FechaDesde, FechaHasta, fechadesde2, fechahasta2, Tipo, Finalizada) VALUES ('              8', '2.1.01.01', '2024-02-10', 'Proveedores enero', '2024-01-01', '2024-01-31', NULL, NULL, 'CTA', 1);
INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, Cuenta, Fecha, Observaciones, FechaDesde, FechaHasta, fechadesde2, fechahasta2, Tipo, Finalizada) VALUES ('              9', '2.1.01.01', '2024-03-11', 'Proveedores febrero', '2024-02-01', '2024-02-29', NULL, NULL, 'CTA', 0);
INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, Cuenta, Fecha, Observaciones, FechaDesde, FechaHasta, fechadesde2, fechahasta2, Tipo, Finalizada) VALUES ('             10', '1.1.04.01', '2024-03-15', 'Deudores por ventas sin período', NULL, NULL, NULL, NULL, 'CTA', NULL);
INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, Cuenta, Fecha, Observaciones, FechaDesde, FechaHasta, fechadesde2, fechahasta2, Tipo, Finalizada) VALUES ('             11', '1.1.03.01', '2024-02-28', 'Valores a depositar febrero', '2024-02-01', NULL, NULL, NULL, 'CTA', 1);
INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, Cuenta, Fecha, Observaciones, FechaDesde, FechaHasta, fechadesde2, fechahasta2, Tipo, Finalizada) VALUES ('             12', '2.1.02.01', '2024-04-15', '', '2024-04-01', '2024-04-15', NULL, NULL, 'CTA', 1);
INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, Cuenta, Fecha, Observaciones, FechaDesde, FechaHasta, fechadesde2, fechahasta2, Tipo, Finalizada) VALUES ('             13', '1.1.02.01', '2024-06-03', 'Mayo, reabierta para revisión', '2024-05-01', '2024-05-31', NULL, NULL, 'BCO', 0);
INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, Cuenta, Fecha, Observaciones, FechaDesde, FechaHasta, fechadesde2, fechahasta2, Tipo, Finalizada) VALUES ('             14', '1.1.09.99', '2024-04-20', 'Cuenta transitoria sin descripción', '2024-04-01', '2024-04-30', NULL, NULL, 'CTA', 0);
INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, Cuenta, Fecha, Observaciones, FechaDesde, FechaHasta, fechadesde2, fechahasta2, Tipo, Finalizada) VALUES ('             15', '1.1.02.03', '2024-05-07', 'Abril caja de ahorro', '2024-04-01', '2024-04-30', NULL, NULL, 'BCO', 1);
INSERT INTO MV_CONCILIACION_CAB (IDCONCILIACION, Cuenta, Fecha, Observaciones, FechaDesde, FechaHasta, fechadesde2, fechahasta2, Tipo, Finalizada) VALUES ('             16', '2.1.03.01', '2024-02-06', 'Sueldos enero', '2024-01-01', '2024-01-31', NULL, NULL, 'CTA', 1);

-- Reconciliation lines: reconciled (1) and pending (0 and NULL).
INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, FECHA, COMPROBANTE, DETALLE, IMPORTE, CONCILIADO) VALUES ('              1', '1.1.02.01', '2024-01-05', 'DEP 118204', 'Cobranza Supermercados del Paraná', 185400.5000, 1);
INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, FECHA, COMPROBANTE, DETALLE, IMPORTE, CONCILIADO) VALUES ('              1', '1.1.02.01', '2024-01-12', 'CHQ 40211', 'Pago a Papelera Rosarina', -96300.0000, 1);
INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, FECHA, COMPROBANTE, DETALLE, IMPORTE, CONCILIADO) VALUES ('              1', '1.1.02.01', '2024-01-31', 'ND 0131', 'Comisiones y gastos bancarios', -4820.3300, 1);
INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, FECHA, COMPROBANTE, DETALLE, IMPORTE, CONCILIADO) VALUES ('              2', '1.1.02.01', '2024-02-20', 'TRF 77120', 'Pago a Distribuidora Norte', -143250.2500, 1);
INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, FECHA, COMPROBANTE, DETALLE, IMPORTE, CONCILIADO) VALUES ('              3', '1.1.02.01', '2024-03-22', 'DEP 120977', 'Cobranza Supermercados del Paraná', 220000.0000, 1);
INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, FECHA, COMPROBANTE, DETALLE, IMPORTE, CONCILIADO) VALUES ('              3', '1.1.02.01', '2024-03-31', 'ND 0331', 'Comisiones de marzo sin registrar', -3980.4000, 0);
INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, FECHA, COMPROBANTE, DETALLE, IMPORTE, CONCILIADO) VALUES ('              4', '1.1.02.01', '2024-04-10', 'CHQ 40288', 'Reintegro de gastos', -12000.0000, NULL);
INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, FECHA, COMPROBANTE, DETALLE, IMPORTE, CONCILIADO) VALUES ('              4', '1.1.02.01', '2024-04-30', 'ND 0430', 'Comisiones y gastos bancarios', -5210.8000, 0);
INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, FECHA, COMPROBANTE, DETALLE, IMPORTE, CONCILIADO) VALUES ('              5', '1.1.02.02', '2024-01-31', 'SALDO', 'Saldo inicial según extracto', 912450.7500, 1);
INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, FECHA, COMPROBANTE, DETALLE, IMPORTE, CONCILIADO) VALUES ('              6', '1.1.02.02', '2024-02-05', 'TRF SUELDOS', 'Pago de sueldos de enero', -980000.0000, 1);
INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, FECHA, COMPROBANTE, DETALLE, IMPORTE, CONCILIADO) VALUES ('              6', '1.1.02.02', '2024-02-09', 'DEP 5521', 'Depósito de valores', 250000.0000, 0);
INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, FECHA, COMPROBANTE, DETALLE, IMPORTE, CONCILIADO) VALUES ('              7', '1.1.02.03', '2024-03-08', 'ACRED', 'Intereses plazo fijo', 3150.1200, 1);
INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, FECHA, COMPROBANTE, DETALLE, IMPORTE, CONCILIADO) VALUES ('              8', '2.1.01.01', '2024-01-12', 'OP 0001-00000311', 'Papelera Rosarina', 96300.0000, 1);
INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, FECHA, COMPROBANTE, DETALLE, IMPORTE, CONCILIADO) VALUES ('              9', '2.1.01.01', '2024-02-20', 'OP 0001-00000327', 'Distribuidora Norte', 143250.2500, 1);
INSERT INTO MV_CONCILIACION (IDCONCILIACION, CUENTA, FECHA, COMPROBANTE, DETALLE, IMPORTE, CONCILIADO) VALUES ('              9', '2.1.01.01', '2024-03-14', 'FC A-0003-00001542', 'Papelera Rosarina', -65000.0000, NULL);

-- Momentary openings: in force (ESTADO 1) for 3 and 9, closed again
-- (0, 2) for 2, the first opening of 9, and 13.
INSERT INTO MV_CONCILIACION_OPEN (IDCONCILIACION, MOTIVO, USUARIO, FECHA, ESTADO) VALUES ('              2', 'Corrección de un depósito mal imputado', 'MGOMEZ en PC:CONTAB-01', '05/03/2024 09:15:22', 0);
INSERT INTO MV_CONCILIACION_OPEN (IDCONCILIACION, MOTIVO, USUARIO, FECHA, ESTADO) VALUES ('              9', 'Falta la factura de Papelera Rosarina', 'MGOMEZ en PC:CONTAB-01', '12/03/2024 11:02:47', 0);
INSERT INTO MV_CONCILIACION_OPEN (IDCONCILIACION, MOTIVO, USUARIO, FECHA, ESTADO) VALUES ('              3', 'Falta registrar comisiones bancarias de marzo', 'MGOMEZ en PC:CONTAB-01', '08/04/2024 16:40:05', 1);
INSERT INTO MV_CONCILIACION_OPEN (IDCONCILIACION, MOTIVO, USUARIO, FECHA, ESTADO) VALUES ('              9', 'Revisión de pagos a proveedores de febrero', 'JPEREZ en PC:CONTAB-02', '15/04/2024 10:20:13', 1);
INSERT INTO MV_CONCILIACION_OPEN (IDCONCILIACION, MOTIVO, USUARIO, FECHA, ESTADO) VALUES ('             13', 'Revisión pedida por auditoría', 'MGOMEZ en PC:CONTAB-01', '04/06/2024 08:55:31', 2);

-- Users: mgomez administers, jperez does not.
INSERT INTO TA_USUARIOS (Nombre, NombreCompleto, Administrador, UNegocio, verproforma) VALUES ('mgomez', 'María Gómez', 1, '   1', 1);
INSERT INTO TA_USUARIOS (Nombre, NombreCompleto, Administrador, UNegocio, verproforma) VALUES ('jperez', 'Juan Pérez', 0, '   2', 0);

-- Menu entries: both users may reconcile, only mgomez may reopen.
INSERT INTO TA_MENU (Clave, Proceso, Nombre) VALUES ('CONT040', 'QZCONCIL.EXE', 'Conciliaciones bancarias y de cuentas');
INSERT INTO TA_MENU (Clave, Proceso, Nombre) VALUES ('CONT045', 'QUINTARO.EXE', 'Apertura momentánea de conciliaciones');
INSERT INTO TA_MENU (Clave, Proceso, Nombre) VALUES ('CONT050', 'QZMAYOR.EXE', 'Mayor de cuentas');
INSERT INTO TA_TAREAS (USUARIO, TAREA) VALUES ('mgomez', 'CONT040');
INSERT INTO TA_TAREAS (USUARIO, TAREA) VALUES ('mgomez', 'CONT045');
INSERT INTO TA_TAREAS (USUARIO, TAREA) VALUES ('mgomez', 'CONT050');
INSERT INTO TA_TAREAS (USUARIO, TAREA) VALUES ('jperez', 'CONT040');

-- Company settings.
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, valoraux, Grupo, PoliticaNegocio) VALUES ('NOMBRE', 'Distribuidora del Litoral S.A.', NULL, 'Empresa', 0);
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, valoraux, Grupo, PoliticaNegocio) VALUES ('CantidadDecimales', '2', NULL, 'General', 0);
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, valoraux, Grupo, PoliticaNegocio) VALUES ('SS_CONFIDENCIALIDAD', 'NO', NULL, 'Seguridad', 0);
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, valoraux, Grupo, PoliticaNegocio) VALUES ('Top_Default', '1000', NULL, 'General', 0);
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, valoraux, Grupo, PoliticaNegocio) VALUES ('CONDIVAEMPRESA', '1', NULL, 'Impuestos', 0);
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, valoraux, Grupo, PoliticaNegocio) VALUES ('PERIODO', '2024', NULL, 'Contabilidad', 0);
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, valoraux, Grupo, PoliticaNegocio) VALUES ('CuentaConsunmidorFinal', '1.1.04.99', NULL, 'Ventas', 0);

-- Cash registers.
INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('   1', 'CAJA CENTRAL');
INSERT INTO TA_CAJAS (IdCajas, Descripcion) VALUES ('   2', 'CAJA SUCURSAL FUNES');

-- Business units, warehouses, families, positions and cost centres.
INSERT INTO TA_UNIDADNEGOCIO (Codigo, Descripcion) VALUES ('   1', 'Casa central');
INSERT INTO TA_UNIDADNEGOCIO (Codigo, Descripcion) VALUES ('   2', 'Sucursal Funes');
INSERT INTO TA_DEPOSITO (IdDeposito, Descripcion, UnidadNegocio, Restringido) VALUES ('   1', 'Depósito central', '   1', 0);
INSERT INTO TA_DEPOSITO (IdDeposito, Descripcion, UnidadNegocio, Restringido) VALUES ('   2', 'Depósito Funes', '   2', 0);
INSERT INTO TA_DEPOSITO (IdDeposito, Descripcion, UnidadNegocio, Restringido) VALUES ('   9', 'Mercadería en consignación', '   1', 1);
INSERT INTO TA_FAMILIAS (IdFamilia, Descripcion, Restringida) VALUES ('01', 'LIBRERÍA', 0);
INSERT INTO TA_FAMILIAS (IdFamilia, Descripcion, Restringida) VALUES ('0101', 'PAPEL', 0);
INSERT INTO TA_FAMILIAS (IdFamilia, Descripcion, Restringida) VALUES ('0102', 'ESCRITURA', 0);
INSERT INTO TA_FAMILIAS (IdFamilia, Descripcion, Restringida) VALUES ('02', 'INFORMÁTICA', 0);
INSERT INTO TA_FAMILIAS (IdFamilia, Descripcion, Restringida) VALUES ('0201', 'INSUMOS', 0);
INSERT INTO TA_FAMILIAS (IdFamilia, Descripcion, Restringida) VALUES ('99', 'USO INTERNO', 1);
INSERT INTO MA_POSICIONES (IDPOSICION, DESCRIPCION) VALUES ('4802.56', 'Papel y cartón sin estucar');
INSERT INTO MA_POSICIONES (IDPOSICION, DESCRIPCION) VALUES ('9608.10', 'Bolígrafos');
INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION) VALUES ('ADM', 'Administración');
INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION) VALUES ('VTA', 'Comercialización');

-- Items, customers, suppliers, contacts, sellers, technicians, maintenance
-- plans and work tasks.
INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IdFamilia, PRECIO, SUSPENDIDO) VALUES ('PAP-A4-75', 'Resma papel A4 75 g', '0101', 5890.0000, 0);
INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IdFamilia, PRECIO, SUSPENDIDO) VALUES ('PAP-OF-80', 'Resma papel oficio 80 g', '0101', 7120.0000, 0);
INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IdFamilia, PRECIO, SUSPENDIDO) VALUES ('BOL-AZ-12', 'Bolígrafo azul caja x 12', '0102', 3400.0000, 0);
INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IdFamilia, PRECIO, SUSPENDIDO) VALUES ('TON-HP-85A', 'Tóner HP 85A', '0201', 41500.0000, 0);
INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IdFamilia, PRECIO, SUSPENDIDO) VALUES ('DIS-3.5', 'Disquete 3,5 pulgadas', '0201', 150.0000, 1);
INSERT INTO MA_CLIENTES (CODIGO, RAZON_SOCIAL, CONTACTO, CUIT, Dada_De_Baja) VALUES ('              1', 'Supermercados del Paraná S.A.', 'Laura Benítez', '30-70811223-4', 0);
INSERT INTO MA_CLIENTES (CODIGO, RAZON_SOCIAL, CONTACTO, CUIT, Dada_De_Baja) VALUES ('              2', 'Almacén Don Pepe', 'José Russo', '20-14523698-7', 0);
INSERT INTO MA_CLIENTES (CODIGO, RAZON_SOCIAL, CONTACTO, CUIT, Dada_De_Baja) VALUES ('              3', 'Librería El Ateneo Rosario', 'Carla Sosa', '30-65498712-1', 1);
INSERT INTO MA_PROVEEDORES (CODIGO, RAZON_SOCIAL, CUIT, Dada_De_Baja) VALUES ('              1', 'Papelera Rosarina S.R.L.', '30-50123456-8', 0);
INSERT INTO MA_PROVEEDORES (CODIGO, RAZON_SOCIAL, CUIT, Dada_De_Baja) VALUES ('              2', 'Distribuidora Norte S.A.', '30-71234567-9', 0);
INSERT INTO MA_PROVEEDORES (CODIGO, RAZON_SOCIAL, CUIT, Dada_De_Baja) VALUES ('              3', 'Insumos Informáticos del Sur', '30-69876543-2', 1);
INSERT INTO MA_CONTACTOS (Nombre_y_Apellido, Domicilio, Localidad, Telefono) VALUES ('Laura Benítez', 'Av. Pellegrini 1520', 'Rosario', '0341 448-1200');
INSERT INTO MA_CONTACTOS (Nombre_y_Apellido, Domicilio, Localidad, Telefono) VALUES ('José Russo', 'San Martín 845', 'Funes', '0341 493-2210');
INSERT INTO TA_VENDEDORES (IDVENDEDOR, NOMBRE) VALUES ('   1', 'Ricardo Fernández');
INSERT INTO TA_VENDEDORES (IDVENDEDOR, NOMBRE) VALUES ('   2', 'Paula Acosta');
INSERT INTO TA_TECNICOS (IDTECNICO, NOMBRE) VALUES ('   1', 'Martín Ledesma');
INSERT INTO MA_MANTENIMIENTOS (CODIGO, DESCRIPCION) VALUES ('MANT-01', 'Service trimestral de autoelevador');
INSERT INTO TA_TAREAS_OT (IdTarea, Descripcion) VALUES ('   1', 'Relevamiento');
INSERT INTO TA_TAREAS_OT (IdTarea, Descripcion) VALUES ('   2', 'Reparación');

-- Lookup windows: item stock, one item on each level (no reorder point with
-- stock, above its reorder point, below it, and none at all).
INSERT INTO MA_ARTICULOS_STOCK (IDARTICULO, PUNTOPEDIDO, Stock) VALUES ('PAP-A4-75', 0, 20);
INSERT INTO MA_ARTICULOS_STOCK (IDARTICULO, PUNTOPEDIDO, Stock) VALUES ('PAP-OF-80', 10, 30);
INSERT INTO MA_ARTICULOS_STOCK (IDARTICULO, PUNTOPEDIDO, Stock) VALUES ('BOL-AZ-12', 10, 4);
INSERT INTO MA_ARTICULOS_STOCK (IDARTICULO, PUNTOPEDIDO, Stock) VALUES ('TON-HP-85A', 0, 0);

-- Action history: two more openings of 9, closed again with ESTADO 2 and
-- without a state, so its log holds 0, 1, 2 and NULL. The first is dated
-- before the opening in force, as the history lists them by entry.
INSERT INTO MV_CONCILIACION_OPEN (IDCONCILIACION, MOTIVO, USUARIO, FECHA, ESTADO) VALUES ('              9', 'Pagos duplicados a Distribuidora Norte', 'JPEREZ en PC:CONTAB-02', '02/04/2024 14:05:33', 2);
INSERT INTO MV_CONCILIACION_OPEN (IDCONCILIACION, MOTIVO, USUARIO, FECHA, ESTADO) VALUES ('              9', 'Consulta de auditoría externa', 'MGOMEZ en PC:CONTAB-01', '18/04/2024 09:40:00', NULL);
