-- Names of the seed rows for a Korean installation (interface language 1042). Ids stay as in
-- Schema.sql, so the built-in kinds and "Married" (2) keep their meaning. The report list is named
-- from the report catalogue.
UPDATE AddressName SET AddressName = CASE ID WHEN 1 THEN '집' WHEN 2 THEN '직장' WHEN 3 THEN '기타' END;
UPDATE PhoneNumberName SET PhoneNumberName =
    CASE ID WHEN 1 THEN '집' WHEN 2 THEN '직장' WHEN 3 THEN '휴대 전화' WHEN 4 THEN '팩스' WHEN 5 THEN '기타' END;
UPDATE EMailAddressName SET EMailAddressName = CASE ID WHEN 1 THEN '개인' WHEN 2 THEN '직장' WHEN 3 THEN '기타' END;
UPDATE MaritalStatus SET MaritalStatus = CASE ID WHEN 1 THEN '미혼' WHEN 2 THEN '기혼' WHEN 3 THEN '이혼' WHEN 4 THEN '사별' END;
UPDATE OfferingTypeName SET OfferingTypeName = CASE ID WHEN 1 THEN '십일조' WHEN 2 THEN '주일헌금' WHEN 3 THEN '감사헌금'
    WHEN 4 THEN '선교헌금' WHEN 5 THEN '건축헌금' WHEN 6 THEN '특별헌금' END;
UPDATE ExpenseTypeName SET ExpenseTypeName = CASE ID WHEN 1 THEN '사례비' WHEN 2 THEN '공과금' WHEN 3 THEN '임대료'
    WHEN 4 THEN '선교비' WHEN 5 THEN '비품' WHEN 6 THEN '관리비' WHEN 7 THEN '기타' END;
UPDATE FamilyRelationshipName SET FamilyRelationshipName = CASE ID WHEN 1 THEN '가장' WHEN 2 THEN '배우자'
    WHEN 3 THEN '아들' WHEN 4 THEN '딸' WHEN 5 THEN '아버지' WHEN 6 THEN '어머니' WHEN 7 THEN '손주' WHEN 8 THEN '친척'
    WHEN 9 THEN '기타' END;
UPDATE GroupPositionName SET GroupPositionName = CASE ID WHEN 1 THEN '리더' WHEN 2 THEN '부리더' WHEN 3 THEN '서기'
    WHEN 4 THEN '회계' WHEN 5 THEN '회원' END;
UPDATE GroupType SET GroupType = CASE ID WHEN 1 THEN '구역' WHEN 2 THEN '성가대' WHEN 3 THEN '위원회' WHEN 4 THEN '사역팀'
    WHEN 5 THEN '성경공부' END;
UPDATE MemberClassification SET MemberClassification = CASE ID WHEN 1 THEN '장년' WHEN 2 THEN '청년' WHEN 3 THEN '청소년'
    WHEN 4 THEN '어린이' END;
UPDATE MemberStatus SET MemberStatus = CASE ID WHEN 1 THEN '출석' WHEN 2 THEN '미출석' WHEN 3 THEN '방문자'
    WHEN 4 THEN '이명' END;
UPDATE PersonTitleName SET PersonTitleName = CASE ID WHEN 1 THEN '형제' WHEN 2 THEN '자매' WHEN 3 THEN '성도'
    WHEN 4 THEN '청년' WHEN 5 THEN '박사' WHEN 6 THEN '목사' WHEN 7 THEN '장로' WHEN 8 THEN '집사' END;
UPDATE Sex SET Sex = CASE ID WHEN 1 THEN '남' WHEN 2 THEN '여' END;
DELETE FROM State;
INSERT INTO State (State) VALUES
    ('서울특별시'), ('부산광역시'), ('대구광역시'), ('인천광역시'), ('광주광역시'), ('대전광역시'), ('울산광역시'),
    ('세종특별자치시'), ('경기도'), ('강원도'), ('충청북도'), ('충청남도'), ('전라북도'), ('전라남도'), ('경상북도'),
    ('경상남도'), ('제주특별자치도');
